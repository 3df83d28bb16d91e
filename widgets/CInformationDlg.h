#pragma once

#include <QFrame>

class QGridLayout;
class QLabel;
class QTextEdit;
class QTimer;

// Small dark notice window for the bottom-right corner of the screen; shown
// in the corner it hides itself once the mouse is no longer over it.
class CInformationDlg : public QFrame
{
    Q_OBJECT
public:
    explicit CInformationDlg(QWidget* parent = nullptr, bool bBuildUi = true);

    void SetText(const QString& text);
    // The notice ends just before (x, y); kept there through the next resize.
    void SetAnchorPos(int x, int y);
    virtual void ShowInCorner(const QString& text);

    QString Text() const { return m_strText; }
    QLabel* Label() const { return m_pLabel; }
    QTextEdit* TextEdit() const { return m_pTextEdit; }
    QTimer* HideTimer() const { return m_pTimer; }

    // Operations on the one process-wide notice, created on first use.
    static CInformationDlg* Instance();
    static void SetInformationParent(QWidget* parent);
    static void ShowInformation(const QString& text);
    static void ShowInformationAt(const QString& text, int x, int y);
    static void ShowInformationInCorner(const QString& text, QWidget* parent);

public slots:
    void HideWnd();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static CInformationDlg* EnsureInstance();

    QString m_strText;
    QGridLayout* m_pLayout = nullptr;
    int m_nWidth = 200;
    int m_nHeight = 150;
    int m_nAnchorX = -1;
    int m_nAnchorY = -1;
    QTextEdit* m_pTextEdit = nullptr;
    QLabel* m_pLabel = nullptr;
    QTimer* m_pTimer = nullptr;
};
