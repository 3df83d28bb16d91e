// Pictures of the real program for the user manual, drawn offscreen while
// building: the main window with a fleet of simulated devices, first with one
// of them selected (main-window.png), then with three (batch.png). The
// devices come from the scripted stand-in of the discovery library, so
// nothing is sent to any network.
// Usage: vrel_manualshots <out folder> <skins folder> [translation.qm]
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
        std::fprintf(stderr, "usage: vrel_manualshots <out folder> <skins folder> [translation.qm]\n");
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

    auto *view = window.findChild<QAbstractItemView *>(QStringLiteral("tableWidgetDevice"));
    if (!view) {
        std::fprintf(stderr, "vrel_manualshots: no device table\n");
        return 1;
    }
    // Selects rows first..last as clicks on them would, and saves the window.
    auto shoot = [&](int first, int last, const QString &name) {
        view->selectionModel()->clearSelection();
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = view->model()->index(row, 2);
            view->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        const QModelIndex current = view->model()->index(last, 2);
        view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        window.DevicePanel()->OnDeviceTableClicked(current);
        for (int i = 0; i < 20; ++i)
            QApplication::processEvents();
        const QString path = args.at(1) + QLatin1Char('/') + name;
        if (!window.grab().save(path, "PNG")) {
            std::fprintf(stderr, "vrel_manualshots: cannot write %s\n", qPrintable(path));
            return false;
        }
        return true;
    };
    if (!shoot(1, 1, QStringLiteral("main-window.png")) || !shoot(4, 6, QStringLiteral("batch.png")))
        return 1;
    return 0;
}
