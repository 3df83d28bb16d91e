#include "ExportFixture.h"

#include "widgets/CWarnDlg.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

QStringList DeviceTableHeaders()
{
    return {"ID", "Device Type", "IPv4 Address", "Safety state", "Port", "Soft Vision", "IPv4 GateWay",
            "Http Port", "Serial Number", "IPv4 Mask", "MAC", "Channel NO", "DSP Vision", "Start Time",
            "IPv6 Address", "IPv6 GateWay", "IPv6 Prefix Length", "Is Support IPv6", "Is Support Mod IPv6",
            "Is Support DHCP", "IPv4 DHCP", "New"};
}

std::unique_ptr<QStandardItemModel> MakeDeviceModel(int rows)
{
    auto model = std::make_unique<QStandardItemModel>(0, 22);
    model->setHorizontalHeaderLabels(DeviceTableHeaders());
    for (int r = 0; r < rows; ++r) {
        QList<QStandardItem *> items;
        items << new QStandardItem(QString::asprintf("%03d", r + 1));
        for (int c = 1; c < 22; ++c)
            items << new QStandardItem(QStringLiteral("r%1c%2").arg(r).arg(c));
        model->appendRow(items);
    }
    return model;
}

MessageRecorder::MessageRecorder(int answer) : questionAnswer(answer)
{
    CWarnDlg::SetTestHook([this](const QString &title, const QString &text) {
        const bool question = CWarnDlg::Question();
        messages.append({title, text, question});
        return question ? questionAnswer : 0;
    });
}

MessageRecorder::~MessageRecorder()
{
    CWarnDlg::SetTestHook({});
}

QList<ReadSheet> ReadWorkbookWithXlrd(const QString &path, QString *error)
{
    static const char script[] =
        "import json, sys, xlrd\n"
        "book = xlrd.open_workbook(sys.argv[1])\n"
        "out = []\n"
        "for s in book.sheets():\n"
        "    rows = [[('' if c.ctype == xlrd.XL_CELL_EMPTY else c.value) for c in s.row(r)] for r in range(s.nrows)]\n"
        "    out.append({'name': s.name, 'rows': rows})\n"
        "sys.stdout.write(json.dumps(out))\n";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(script), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        if (error)
            *error = QString::fromLocal8Bit(python.readAllStandardError());
        return {};
    }
    QList<ReadSheet> sheets;
    const QJsonArray array = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const QJsonValue &v : array) {
        ReadSheet sheet;
        sheet.name = v.toObject().value(QLatin1String("name")).toString();
        for (const QJsonValue &row : v.toObject().value(QLatin1String("rows")).toArray()) {
            QStringList cells;
            for (const QJsonValue &cell : row.toArray())
                cells << cell.toString();
            sheet.rows << cells;
        }
        sheets << sheet;
    }
    return sheets;
}

QList<QStringList> ExpectedRows(const QAbstractItemModel &model)
{
    QList<QStringList> rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model.columnCount() - 1; ++c)
            row << model.data(model.index(r, c)).toString();
        rows << row;
    }
    return rows;
}
