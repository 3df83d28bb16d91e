#include "widgets/CWarnInfoDlg.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPointer>
#include <QWidget>

#include "widgets/CWarnDlg.h"

namespace {

CWarnInfoDlg* g_pInstance = nullptr;
// Guarded: the parent may be destroyed before the relay is used again.
QPointer<QWidget> g_pMsgParent;
QMutex g_instanceMutex;

void DestroyInstance()
{
    delete g_pInstance;
    g_pInstance = nullptr;
}

} // namespace

CWarnInfoDlg* CWarnInfoDlg::GetInstance()
{
    const QMutexLocker lock(&g_instanceMutex);
    if (!g_pInstance) {
        g_pInstance = new CWarnInfoDlg;
        g_pMsgParent = nullptr;
        connect(g_pInstance, &CWarnInfoDlg::ShowMsgInfoSig, g_pInstance, &CWarnInfoDlg::ShowMsgInfo,
                Qt::AutoConnection);
        qAddPostRoutine(DestroyInstance);
    }
    return g_pInstance;
}

void CWarnInfoDlg::SetMsgParent(QWidget* parent)
{
    GetInstance();
    g_pMsgParent = parent;
}

QWidget* CWarnInfoDlg::MsgParent()
{
    return g_pMsgParent;
}

void CWarnInfoDlg::PostMsgInfo(QString title, QString content)
{
    emit ShowMsgInfoSig(title, content);
}

void CWarnInfoDlg::ShowMsgInfo(QString strTitle, QString strContent)
{
    CWarnDlg dialog(g_pMsgParent);
    dialog.ShowInfo(strTitle, strContent);
}
