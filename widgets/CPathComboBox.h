#pragma once

#include <QComboBox>

// Combo box that opens a file or folder chooser instead of a list and keeps
// the chosen path as its only entry. Modes: 0 save a file (the filter's
// extension is appended when missing), 1 open one file, 2 choose a folder
// (shown with a final "/"), 3 open several files; any other mode does nothing.
// Only the arrow area (the rightmost 23 pixels) opens the chooser by mouse.
class CPathComboBox : public QComboBox
{
    Q_OBJECT
public:
    enum Mode { SaveFileMode = 0, OpenFileMode = 1, DirectoryMode = 2, OpenFilesMode = 3 };
    static constexpr int kArrowWidth = 23;

    explicit CPathComboBox(QWidget* parent = nullptr);

    void SetMode(int mode);
    void SetCaption(const QString& caption);
    void SetFilter(const QString& filter);
    int Mode() const { return m_nMode; }
    QString Caption() const { return m_strCaption; }

    void showPopup() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetOnlyEntry(const QString& path, bool bTooltip);

    int m_nMode = 0;
    QString m_strCaption;
    QString m_strFilter;
};
