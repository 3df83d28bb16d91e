// Scoped lock over a runtime-library mutex.
#pragma once

#include <zenu.h>

#include "app/ShellExport.h"

// Exported by the program's module together with the runtime library's classes.
class VREL_SHELL_EXPORT Zenu_Guard
{
public:
    explicit Zenu_Guard(Zenu_Mutex *mutex);
    ~Zenu_Guard();
    Zenu_Guard(const Zenu_Guard &) = delete;
    // Takes over the lock that other holds; a lock held by this guard before is
    // released first. Each held lock is unlocked exactly once.
    Zenu_Guard &operator=(const Zenu_Guard &other);

    // Unlocks the mutex once; later calls do nothing.
    void Release();

private:
    // Mutable so that assignment can move the held lock out of a const source.
    mutable Zenu_Mutex *m_pMutex;
};
