// The tool's module, loaded at run time, and its three entry points.
#pragma once

#include <QLibrary>
#include <QString>

#include "app/VrelExport.h"

class ToolModule
{
public:
    // Loads the module from the file given (a path, or a name the loader
    // completes with the platform's prefix and suffix) and resolves the
    // entry points. False, with the reason in ErrorString(), when any fails.
    bool Load(const QString &fileName);
    QString ErrorString() const { return m_strError; }

    bool Open(QWidget *parent, QGridLayout *layout, bool showTitle) const;
    void SetFullLook(bool full) const;
    // Any thread may call it.
    void Feed(const VREL_CALLBACK_RECORD &record) const;

private:
    // Never unloaded: the tool's window and its code live as long as the host.
    QLibrary m_library;
    QString m_strError;
    APT_VREL_OpenDialogFn m_pOpenDialog = nullptr;
    APT_VREL_ChangeSizeFn m_pChangeSize = nullptr;
    APT_VREL_CallBackFn m_pCallBack = nullptr;
};
