// The program's start as a separate process for the single-instance and
// screen tests. Messages are printed instead of shown; "SHOWN" is printed
// once the main window is up, followed by "SKIN:yes" or "SKIN:no". With VREL_TEST_QUIT=1 the window is closed
// (and the close confirmed) right after it is shown.
#include <cstdio>

#include <QByteArray>
#include <QFile>
#include <QTimer>

#include "app/CAPT_VRELMainWnd.h"
#include "app/VrelMain.h"
#include "widgets/CWarnDlg.h"

int main(int argc, char **argv)
{
    CWarnDlg::SetTestHook([](const QString &title, const QString &text) {
        std::printf("MESSAGE:%s|%s\n", title.toUtf8().constData(), text.toUtf8().constData());
        std::fflush(stdout);
        return 1;
    });
    const QString key = QString::fromLocal8Bit(qgetenv("VREL_TEST_INSTANCE_KEY"));
    const bool quit = qgetenv("VREL_TEST_QUIT") == "1";
    return VrelMain(argc, argv, key, [quit](CAPT_VRELMainWnd &window) {
        const bool skinned = QFile::exists(QStringLiteral(":/KelmoDesk/Qss/Qss/VREL.qss"));
        std::printf("SHOWN\nSKIN:%s\n", skinned ? "yes" : "no");
        std::fflush(stdout);
        if (quit)
            QTimer::singleShot(0, &window, [&window] { window.close(); });
    });
}
