#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Process-wide relay: code on any thread asks for a message window, which is
// shown on the thread that owns the relay (the GUI thread, where GetInstance
// must first be called, typically together with SetMsgParent at start-up).
class CWarnInfoDlg : public QObject
{
    Q_OBJECT
public:
    static CWarnInfoDlg* GetInstance();
    static void SetMsgParent(QWidget* parent);
    static QWidget* MsgParent();

    // Any thread: the message is shown through the relay thread's event queue.
    void PostMsgInfo(QString title, QString content);

public slots:
    void ShowMsgInfo(QString strTitle, QString strContent);

signals:
    void ShowMsgInfoSig(QString strTitle, QString strContent);

private:
    CWarnInfoDlg() = default;
};
