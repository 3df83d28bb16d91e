// Saves pictures of the toolkit's dialogs (PNG) into the folder given as the
// first argument, for looking at them without a screen:
//   QT_QPA_PLATFORM=offscreen widget_snapshots /tmp
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

#include "widgets/CBaseDialog.h"
#include "widgets/CFileDialog.h"
#include "widgets/CWarnDlg.h"

namespace {

// Grabs the modal window once it is up, then closes it.
void GrabModal(const QString& file)
{
    QTimer::singleShot(200, qApp, [file] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        modal->grab().save(file);
        modal->close();
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp"));

    CBaseDialog base(nullptr, true, true, true);
    base.SetTitle(QStringLiteral("Dialog title"));
    base.ShowCloseBtn(true);
    base.SetContentWidget(new QLabel(QStringLiteral("Content of the dialog")));
    base.show();
    QApplication::processEvents();
    base.grab().save(out.filePath(QStringLiteral("CBaseDialog.png")));
    base.hide();

    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    GrabModal(out.filePath(QStringLiteral("CWarnDlg_info.png")));
    ShowInfoMsgBox(QStringLiteral("Information"), QStringLiteral("Please select a device."), &owner);
    GrabModal(out.filePath(QStringLiteral("CWarnDlg_question.png")));
    ShowQuestionMsgBox(QStringLiteral("Hint"),
                       QStringLiteral("The file name has been used; replace it? A longer sentence follows so that "
                                      "the message wraps onto several lines inside the widest dialog."),
                       &owner);
    GrabModal(out.filePath(QStringLiteral("CFileDialog.png")));
    CFileDialog::GetOpenFileName(&owner, QStringLiteral("Import"), QDir::currentPath(), QStringLiteral("All (*)"));
    return 0;
}
