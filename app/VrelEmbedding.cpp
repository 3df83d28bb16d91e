// The module's entry points for host programs. The host owns the application
// object and the event loop, so none of the stand-alone start-up (single
// instance, screen check, fonts, skin, style, style sheet) runs here.
#define VREL_EXPORT_BUILDING
#include "VrelExport.h"

#include <mutex>
#include <new>

#include <QApplication>
#include <QGridLayout>
#include <QPointer>
#include <QThread>

#include <zenu.h>

#include "app/AppPaths.h"
#include "app/CAPT_VRELMainWnd.h"
#include "app/ClientConfigManager.h"
#include "app/ClientLanguageManager.h"
#include "app/ClientLanguageProperty.h"

namespace {

// The one window the entry points act on. It lives until the host destroys
// it (usually with its parent); the guarded pointer then reads null, so the
// calls that follow find no window instead of a dangling one.
QPointer<CAPT_VRELMainWnd> g_pMainWnd;
// The host layout that holds the window, so that a later call moves it.
QPointer<QGridLayout> g_pHostLayout;
// Records may come from any thread while the GUI thread opens the window.
std::mutex g_mainWndLock;

QPointer<CAPT_VRELMainWnd> StoredWindow()
{
    std::lock_guard<std::mutex> lock(g_mainWndLock);
    return g_pMainWnd;
}

bool OnGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// The same environment the stand-alone start prepares, below the host's
// executable: plug-in path, Setup.xml and the translators it selects.
void PrepareEnvironment()
{
    QCoreApplication::addLibraryPath(
        QStringLiteral("%1%2plugins").arg(QCoreApplication::applicationDirPath(), QStringLiteral("/")));
    ClientConfigManager::Instance()->Load(ResolveAppPath(QStringLiteral("Setup.xml")));

    const ClientLanguageProperty *language = ClientLanguageManager::Instance()->Current();
    QCoreApplication::installTranslator(language->FirstTranslator());
    QCoreApplication::installTranslator(language->SecondTranslator());
}

CAPT_VRELMainWnd *CreateWindow(QWidget *parent)
{
    try {
        return new CAPT_VRELMainWnd(parent, {});
    } catch (const std::bad_alloc &) {
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

    PrepareEnvironment();

    CAPT_VRELMainWnd *window = StoredWindow();
    if (!window) {
        window = CreateWindow(parent);
        if (!window)
            return false;
        std::lock_guard<std::mutex> lock(g_mainWndLock);
        g_pMainWnd = window;
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
    const QPointer<CAPT_VRELMainWnd> window = StoredWindow();
    if (!window)
        return;
    const bool fullLook = (full & 0xFFu) != 0;
    if (OnGuiThread()) {
        window->SetFullStyle(fullLook);
        return;
    }
    // Widgets are only touched on their own thread.
    QMetaObject::invokeMethod(
        window.data(),
        [window, fullLook] {
            if (window)
                window->SetFullStyle(fullLook);
        },
        Qt::QueuedConnection);
}

VREL_EXPORT(void) APT_VREL_CallBack(const VREL_CALLBACK_RECORD *record)
{
    if (!record)
        return;
    const QPointer<CAPT_VRELMainWnd> window = StoredWindow();
    if (!window)
        return;
    window->ForwardDeviceRecord(record);
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
