#pragma once

#include <QFrame>

class CBaseDialog;

// A panel that can present itself inside a skinned dialog frame it creates on
// the first show and keeps for later shows.
class CMutiroleDialog : public QFrame
{
    Q_OBJECT
public:
    explicit CMutiroleDialog(QWidget* parent = nullptr);
    ~CMutiroleDialog() override;

    // Modal in a frame over parent; nothing happens without a parent.
    void ShowModal(QWidget* parent, const QString& title);
    // Modal in a frame (parent may be null); returns the frame's result.
    int ExecModal(QWidget* parent, QString title);
    // Without blocking, width x height, with close button and without bottom bar.
    void ShowModeless(QWidget* parent, const QString& title, int width, int height);

    void MoveDialog(int x, int y);
    int DialogWidth() const;
    int DialogHeight() const;

    CBaseDialog* HostDialog() const { return m_pDialog; }

public slots:
    virtual void DialogCloseSlot();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PrepareHost(QWidget* parent, const QString& title, int width, int height);

    CBaseDialog* m_pDialog = nullptr;
    QWidget* m_pParent;
};
