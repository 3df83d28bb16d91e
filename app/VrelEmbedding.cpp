// The module's entry points for host programs. The host owns the application
// object and the event loop, so none of the stand-alone start-up (single
// instance, screen check, fonts, skin, style, style sheet) runs here.
#define VREL_EXPORT_BUILDING
#include "VrelExport.h"

#include <mutex>

#include <QApplication>
#include <QGridLayout>
#include <QPointer>
#include <QThread>

#include <zenu.h>

#include "app/AppEnvironment.h"
#include "app/CAPT_VRELMainWnd.h"

namespace {

// The one window the entry points act on: null until the first window is
// made, and again once the host destroyed it (usually with its parent), so
// the calls that follow find no window instead of a dangling one.
CAPT_VRELMainWnd *g_pMainWnd = nullptr;
// Only the GUI thread writes the pointer, under this lock; it reads it
// without. Other threads read it under the lock and keep holding it while
// they hand a record over, so the window's destruction waits for them before
// its memory goes. The GUI thread never waits for them otherwise: they may
// themselves wait for the device list, which the GUI thread can hold while a
// message is open.
std::mutex g_mainWndLock;
// The host layout that holds the window, so that a later call moves it.
QPointer<QGridLayout> g_pHostLayout;

void StoreWindow(CAPT_VRELMainWnd *window)
{
    {
        std::lock_guard<std::mutex> lock(g_mainWndLock);
        g_pMainWnd = window;
    }
    // Emitted on the GUI thread by the window's own destructor.
    QObject::connect(
        window, &QObject::destroyed, qApp,
        [window] {
            std::lock_guard<std::mutex> lock(g_mainWndLock);
            if (g_pMainWnd == window)
                g_pMainWnd = nullptr;
        },
        Qt::DirectConnection);
}

bool OnGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

CAPT_VRELMainWnd *CreateWindow(QWidget *parent)
{
    try {
        return new CAPT_VRELMainWnd(parent, {});
    } catch (...) {
        // Nothing may leave a C entry point; the host hears false instead.
        return nullptr;
    }
}

} // namespace

VREL_EXPORT(bool) APT_VREL_OpenDialog(QWidget *parent, QGridLayout *layout, unsigned int showTitle,
                                      int /*a*/, int /*b*/, int /*c*/)
{
    // Widgets need the host's QApplication and its thread.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()) || !OnGuiThread())
        return false;

    PrepareAppEnvironment();

    CAPT_VRELMainWnd *window = g_pMainWnd;
    if (!window) {
        window = CreateWindow(parent);
        if (!window)
            return false;
        StoreWindow(window);
    }

    if (layout && layout->indexOf(window) < 0) {
        if (g_pHostLayout)
            g_pHostLayout->removeWidget(window);
        // The window makes itself a frameless top-level window; inside a
        // host's layout it has to be a plain child widget, or the layout
        // would move a separate window around the screen.
        if (window->isWindow())
            window->setWindowFlags(window->windowFlags() & ~Qt::WindowType_Mask);
        layout->addWidget(window, 0, 0, 1, 1);
        g_pHostLayout = layout;
    }
    window->SetTitleVisible((showTitle & 0xFFu) != 0);
    window->show();
    return true;
}

VREL_EXPORT(void) APT_VREL_ChangeSize(unsigned int full)
{
    const bool fullLook = (full & 0xFFu) != 0;
    if (OnGuiThread()) {
        if (g_pMainWnd)
            g_pMainWnd->SetFullStyle(fullLook);
        return;
    }
    // Widgets are only touched on their own thread. A window destroyed
    // before the call arrives takes the call with it.
    std::lock_guard<std::mutex> lock(g_mainWndLock);
    if (!g_pMainWnd)
        return;
    CAPT_VRELMainWnd *window = g_pMainWnd;
    QMetaObject::invokeMethod(
        window, [window, fullLook] { window->SetFullStyle(fullLook); }, Qt::QueuedConnection);
}

VREL_EXPORT(void) APT_VREL_CallBack(const VREL_CALLBACK_RECORD *record)
{
    if (!record)
        return;
    if (OnGuiThread()) {
        if (g_pMainWnd)
            g_pMainWnd->ForwardDeviceRecord(record);
        return;
    }
    std::lock_guard<std::mutex> lock(g_mainWndLock);
    if (g_pMainWnd)
        g_pMainWnd->ForwardDeviceRecord(record);
}

#if !defined(_WIN32)
// The module's export table carries the runtime library's copy assignments
// beside Zenu_Guard's members, so hosts built against that table find them
// here. Like the runtime library's own, they leave each object's lock or
// count as it is: a lock is not a value. (Windows builds import them from
// the runtime library instead.)
Zenu_Mutex &Zenu_Mutex::operator=(const Zenu_Mutex &)
{
    return *this;
}

Zenu_Sema &Zenu_Sema::operator=(const Zenu_Sema &)
{
    return *this;
}
#endif
