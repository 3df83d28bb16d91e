// The export's pieces without a dialog: the statements and connection string
// it hands to ODBC, and the file set aside while a replacement is written.

#include "ExportFixture.h"

#include "export/ExcelExport.h"
#include "export/FileSetAside.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestExportSteps : public QObject
{
    Q_OBJECT

private slots:
    void statementsForTheDeviceTable();
    void connectionStringCarriesNameAndPath();
    void fieldsStopBeforeTheLastColumn_data();
    void fieldsStopBeforeTheLastColumn();
    void setAsideFile_data();
    void setAsideFile();
    void folderIsNeverSetAside();
};

void TestExportSteps::statementsForTheDeviceTable()
{
    auto model = MakeDeviceModel(0);
    const QStringList fields = ExcelExport::FieldNames(model.get());
    QCOMPARE(fields, DeviceTableHeaders().mid(0, 21));
    QCOMPARE(ExcelExport::InsertStatement(QStringLiteral("devices"), fields),
             QStringLiteral("INSERT INTO [devices] (\"ID\",\"Device Type\",\"IPv4 Address\",\"Safety state\",\"Port\","
                            "\"Soft Vision\",\"IPv4 GateWay\",\"Http Port\",\"Serial Number\",\"IPv4 Mask\",\"MAC\","
                            "\"Channel NO\",\"DSP Vision\",\"Start Time\",\"IPv6 Address\",\"IPv6 GateWay\","
                            "\"IPv6 Prefix Length\",\"Is Support IPv6\",\"Is Support Mod IPv6\",\"Is Support DHCP\","
                            "\"IPv4 DHCP\")VALUES(:1,:2,:3,:4,:5,:6,:7,:8,:9,:10,:11,:12,:13,:14,:15,:16,:17,:18,"
                            ":19,:20,:21)"));
    QVERIFY(ExcelExport::CreateStatement(QStringLiteral("devices"), fields)
                .startsWith(QLatin1String("CREATE TABLE [devices] ([ID] char(64),[Device Type] char(64),")));
    QVERIFY(ExcelExport::CreateStatement(QStringLiteral("devices"), fields)
                .endsWith(QLatin1String(",[IPv4 DHCP] char(64))")));
}

void TestExportSteps::connectionStringCarriesNameAndPath()
{
    // The table name and CREATE_DB are the name alone; only DBQ has the folder.
    QCOMPARE(ExcelExport::ConnectionString(QStringLiteral(" my list"), QStringLiteral("/data/out/ my list.xls")),
             QStringLiteral("DRIVER={Microsoft Excel Driver (*.xls)};DSN='';FIRSTROWHASNAMES=1;READONLY=FALSE;"
                            "CREATE_DB=\" my list.xls\";DBQ=/data/out/ my list.xls"));
}

void TestExportSteps::fieldsStopBeforeTheLastColumn_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("fields");
    QTest::newRow("device table") << 22 << 21;
    QTest::newRow("one column") << 1 << 0;
    QTest::newRow("no columns") << 0 << 0;
}

void TestExportSteps::fieldsStopBeforeTheLastColumn()
{
    QFETCH(int, columns);
    QFETCH(int, fields);
    QStandardItemModel model(0, columns);
    QCOMPARE(ExcelExport::FieldNames(&model).size(), fields);
}

void TestExportSteps::setAsideFile_data()
{
    QTest::addColumn<QString>("outcome"); // drop, restore, forget
    QTest::addColumn<bool>("newFileWritten");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("replacement written") << "drop" << true << QByteArray("new");
    QTest::newRow("save failed after a partial file") << "restore" << true << QByteArray("old");
    QTest::newRow("save failed before any file") << "restore" << false << QByteArray("old");
    QTest::newRow("left without a decision") << "forget" << true << QByteArray("old");
}

void TestExportSteps::setAsideFile()
{
    QFETCH(QString, outcome);
    QFETCH(bool, newFileWritten);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("devices.xls"));
    QVERIFY(WriteFile(path, "old"));
    {
        FileSetAside aside;
        QVERIFY(aside.SetAside(path));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        if (newFileWritten)
            QVERIFY(WriteFile(path, "new"));
        if (outcome == QLatin1String("drop"))
            aside.Drop();
        else if (outcome == QLatin1String("restore"))
            aside.Restore();
    }
    QCOMPARE(ReadAll(path), expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"devices.xls"});
}

void TestExportSteps::folderIsNeverSetAside()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("devices.xls"));
    QVERIFY(QDir().mkdir(path));
    FileSetAside aside;
    QVERIFY(!aside.SetAside(path));
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(!aside.SetAside(dir.filePath(QStringLiteral("missing.xls"))));
}

QTEST_MAIN(TestExportSteps)
#include "tst_export_steps.moc"
