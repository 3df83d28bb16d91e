// Exports a device table of 5,000 rows through the whole path (QODBC,
// unixODBC, the workbook driver, the file) and prints how long it took.
// Usage: bench_excel_export [rows] [runs] [folder to keep the workbooks in]

#include "export/ExcelExport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

const char *const kHeaders[] = {"ID", "Device Type", "IPv4 Address", "Safety state", "Port", "Soft Vision",
                                "IPv4 GateWay", "Http Port", "Serial Number", "IPv4 Mask", "MAC", "Channel NO",
                                "DSP Vision", "Start Time", "IPv6 Address", "IPv6 GateWay", "IPv6 Prefix Length",
                                "Is Support IPv6", "Is Support Mod IPv6", "Is Support DHCP", "IPv4 DHCP", "New"};

// Rows that look like a real fleet: unique addresses, serials and MACs,
// repeated types, versions and flags.
void Fill(QStandardItemModel &model, int rows)
{
    QStringList headers;
    for (const char *h : kHeaders)
        headers << QString::fromLatin1(h);
    model.setColumnCount(22);
    model.setHorizontalHeaderLabels(headers);
    for (int r = 0; r < rows; ++r) {
        const QString ip = QStringLiteral("10.%1.%2.%3").arg(r / 65536).arg((r / 256) % 256).arg(r % 256);
        const QStringList cells{QString::asprintf("%03d", r + 1),
                                QStringLiteral("DS-2CD20%1-I").arg(r % 7),
                                ip,
                                r % 5 ? QStringLiteral("Active") : QStringLiteral("Inactive"),
                                QStringLiteral(" 8000"),
                                QStringLiteral("V5.5.%1 build 190%2").arg(r % 3).arg(r % 9),
                                QStringLiteral("10.0.0.1"),
                                QStringLiteral("80"),
                                QStringLiteral("DS-2CD2042WD-I20190101AAWR%1").arg(100000000 + r),
                                QStringLiteral("255.0.0.0"),
                                QStringLiteral("44-19-b6-%1-%2-%3")
                                    .arg(r / 65536, 2, 16, QLatin1Char('0'))
                                    .arg((r / 256) % 256, 2, 16, QLatin1Char('0'))
                                    .arg(r % 256, 2, 16, QLatin1Char('0')),
                                QStringLiteral(" 1"),
                                QStringLiteral("V7.3 build 190%1").arg(r % 4),
                                QStringLiteral("2024-03-%1 08:1%2:00").arg(10 + r % 18).arg(r % 10),
                                QStringLiteral("fd00::%1").arg(r, 0, 16),
                                QStringLiteral("fd00::1"),
                                QStringLiteral("64"),
                                QStringLiteral("Yes"),
                                QStringLiteral("Yes"),
                                QStringLiteral("Yes"),
                                r % 2 ? QStringLiteral("ON") : QStringLiteral("OFF"),
                                QStringLiteral("No")};
        QList<QStandardItem *> items;
        for (const QString &c : cells)
            items << new QStandardItem(c);
        model.appendRow(items);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(0, atoi(argv[1])) : 5000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    QStandardItemModel model;
    Fill(model, rows);
    QTemporaryDir temporary;
    const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();
    QTextStream out(stdout);
    QList<qint64> times;
    for (int i = 0; i < runs; ++i) {
        const QString name = QStringLiteral("bench%1").arg(i);
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".xls");
        QFile::remove(path);
        QElapsedTimer timer;
        timer.start();
        const bool ok = ExcelExport::Write(&model, name, path);
        const qint64 ms = timer.elapsed();
        if (!ok) {
            out << "export failed\n";
            return 1;
        }
        times << ms;
        out << "run " << i + 1 << ": " << rows << " rows in " << ms << " ms, " << QFileInfo(path).size()
            << " bytes\n";
    }
    std::sort(times.begin(), times.end());
    out << "export of " << rows << " rows x 21 fields: best " << times.first() << " ms, median "
        << times[times.size() / 2] << " ms over " << runs << " runs\n";
    return 0;
}
