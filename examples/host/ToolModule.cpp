#include "ToolModule.h"

bool ToolModule::Load(const QString &fileName)
{
    m_library.setFileName(fileName);
    if (!m_library.load()) {
        m_strError = m_library.errorString();
        return false;
    }
    m_pOpenDialog = reinterpret_cast<APT_VREL_OpenDialogFn>(m_library.resolve("APT_VREL_OpenDialog"));
    m_pChangeSize = reinterpret_cast<APT_VREL_ChangeSizeFn>(m_library.resolve("APT_VREL_ChangeSize"));
    m_pCallBack = reinterpret_cast<APT_VREL_CallBackFn>(m_library.resolve("APT_VREL_CallBack"));
    if (!m_pOpenDialog || !m_pChangeSize || !m_pCallBack) {
        m_strError = QStringLiteral("%1 lacks the embedding functions").arg(m_library.fileName());
        m_pOpenDialog = nullptr;
        m_pChangeSize = nullptr;
        m_pCallBack = nullptr;
        return false;
    }
    return true;
}

bool ToolModule::Open(QWidget *parent, QGridLayout *layout, bool showTitle) const
{
    // The last three arguments are there for older hosts and carry nothing.
    return m_pOpenDialog && m_pOpenDialog(parent, layout, showTitle ? 1u : 0u, 0, 0, 0);
}

void ToolModule::SetFullLook(bool full) const
{
    if (m_pChangeSize)
        m_pChangeSize(full ? 1u : 0u);
}

void ToolModule::Feed(const VREL_CALLBACK_RECORD &record) const
{
    if (m_pCallBack)
        m_pCallBack(&record);
}
