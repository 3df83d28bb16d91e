// The stand-alone program's start: refuses a second instance and a small
// screen, then shows the main window and runs the event loop.
#pragma once

#include <functional>

#include <QString>

class CAPT_VRELMainWnd;

#include "app/ShellExport.h"

// onShown runs once the main window is shown, before the event loop.
VREL_SHELL_EXPORT int VrelMain(int &argc, char **argv, const QString &key,
                               const std::function<void(CAPT_VRELMainWnd &)> &onShown = {});
