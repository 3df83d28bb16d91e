// The export inside a host program that uses ODBC itself. The host's driver
// manager configuration (ODBCSYSINI, set for this process by the test) lists
// only the host's driver, and the driver manager has read it before the
// export runs: the export must still find the workbook driver, and the
// host's connections, environment and configuration must stay as they were.

#include "ExportFixture.h"

#include "export/ExcelExport.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The host writes through its own driver, registered in its odbcinst.ini.
bool HostWrites(const QString &path)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("host"));
        db.setDatabaseName(QStringLiteral("DRIVER={Host Driver};READONLY=FALSE;CREATE_DB=\"h.xls\";DBQ=") + path);
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("CREATE TABLE [host] ([k] char(10))"))
                && q.exec(QStringLiteral("INSERT INTO [host] (\"k\")VALUES('v')"));
        } else {
            qWarning() << "host connection:" << db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("host"));
    return ok && QFile::exists(path);
}

} // namespace

class TestExportHostOdbc : public QObject
{
    Q_OBJECT

private slots:
    void hostOdbcKeepsWorking();
};

void TestExportHostOdbc::hostOdbcKeepsWorking()
{
    const QByteArray sysIni = qgetenv("ODBCSYSINI");
    QVERIFY2(!sysIni.isEmpty(), "the test runs with the host's own ODBC configuration");
    const QString configFile = QFile::decodeName(sysIni) + QStringLiteral("/odbcinst.ini");
    const QByteArray config = ReadAll(configFile);
    QVERIFY(config.contains("[Host Driver]"));
    QVERIFY(!config.contains("Excel"));
    const QStringList configFolder = QDir(QFile::decodeName(sysIni)).entryList(QDir::Files | QDir::Hidden);
    const bool instIniSet = qEnvironmentVariableIsSet("ODBCINSTINI");

    QTemporaryDir dir;
    QVERIFY(HostWrites(dir.filePath(QStringLiteral("host1.xls"))));

    auto model = MakeDeviceModel(3);
    QVERIFY(ExcelExport::Write(model.get(), QStringLiteral("exported"), dir.filePath(QStringLiteral("exported.xls"))));
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(dir.filePath(QStringLiteral("exported.xls")));
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].rows.mid(1), ExpectedRows(*model));

    QVERIFY(HostWrites(dir.filePath(QStringLiteral("host2.xls"))));
    QVERIFY(ExcelExport::Write(model.get(), QStringLiteral("again"), dir.filePath(QStringLiteral("again.xls"))));

    QCOMPARE(qgetenv("ODBCSYSINI"), sysIni);
    QCOMPARE(qEnvironmentVariableIsSet("ODBCINSTINI"), instIniSet);
    QCOMPARE(ReadAll(configFile), config);
    QCOMPARE(QDir(QFile::decodeName(sysIni)).entryList(QDir::Files | QDir::Hidden), configFolder);
}

QTEST_MAIN(TestExportHostOdbc)
#include "tst_export_host_odbc.moc"
