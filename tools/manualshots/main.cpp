// Pictures of the real program for the user manual, drawn offscreen while
// building: the main window with a fleet of simulated devices, one of them
// selected. The devices come from the scripted stand-in of the discovery
// library, so nothing is sent to any network.
// Usage: vrel_manualshots <out.png> <skins folder> [translation.qm]
#include <cstdio>

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QTranslator>

#include "app/CAPT_VRELMainWnd.h"
#include "app/CKelmoApplication.h"
#include "app/CKelmoStyle.h"
#include "panel/QtVrel.h"
#include "TestRecords.h"

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: vrel_manualshots <out.png> <skins folder> [translation.qm]\n");
        return 2;
    }
    QTranslator translator;
    if (args.size() > 3 && translator.load(args.at(3)))
        QApplication::installTranslator(&translator);

    QFont font(QStringLiteral("Arial"), 9);
    font.setStyleHint(QFont::Helvetica, QFont::PreferAntialias);
    QApplication::setFont(font);
    CKelmoApplication::LoadSkinPlugin(QStringLiteral("default"), args.at(2));
    QApplication::setStyle(new CKelmoStyle);
    QFile sheet(QStringLiteral(":/KelmoDesk/Qss/Qss/VREL.qss"));
    if (sheet.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromLatin1(sheet.readAll()));

    CAPT_VRELMainWnd window(nullptr, {});
    window.show();
    for (int n = 1; n <= 9; ++n) {
        TestDevice device = FleetDevice(n);
        device.activation = (n % 4 == 0) ? 1 : 0;
        const VREL_CALLBACK_RECORD record = MakeRecord(device, VREL_EVENT_FOUND);
        window.ForwardDeviceRecord(&record);
    }
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();

    // Select the second device, as a click on its row would.
    if (auto *view = window.findChild<QAbstractItemView *>(QStringLiteral("tableWidgetDevice"))) {
        const QModelIndex index = view->model()->index(1, 2);
        view->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->setCurrentIndex(index);
        window.DevicePanel()->OnDeviceTableClicked(index);
    }
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();

    if (!window.grab().save(args.at(1), "PNG")) {
        std::fprintf(stderr, "vrel_manualshots: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
