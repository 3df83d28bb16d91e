// The workbook driver called as a driver manager calls it: statements it
// must refuse (and with which SQLSTATE), parameter counts, field sizes,
// folders it cannot write, the connection keys, and workbooks read back with
// an independent reader.

#include "DriverClient.h"
#include "XlsReadBack.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

const QString kCreate = QStringLiteral("CREATE TABLE [t] ([a] char(5),[b] char(64),[c] char(64))");
const QString kInsert = QStringLiteral("INSERT INTO [t] (\"a\",\"b\",\"c\")VALUES(?,?,?)");

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestXlsOdbcDriver : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void refusesWhatItDoesNotUnderstand_data();
    void refusesWhatItDoesNotUnderstand();
    void mangledStatementsAreRefusedNotFatal();
    void parameterCountMustMatch_data();
    void parameterCountMustMatch();
    void unwritableFolderFailsTheConnect_data();
    void unwritableFolderFailsTheConnect();
    void valueLongerThanItsField_data();
    void valueLongerThanItsField();
    void chineseNamesAndTexts();
    void connectionKeys_data();
    void connectionKeys();
    void namesHoldingTheirOwnDelimiters_data();
    void namesHoldingTheirOwnDelimiters();
    void workbookAppearsOnlyWhenComplete();
    void fullSheetCrossesEveryContainerLimit();

private:
    QString Path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestXlsOdbcDriver::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestXlsOdbcDriver::refusesWhatItDoesNotUnderstand_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("refusedAtPrepare");
    QTest::addColumn<QString>("state");

    const QStringList none;
    const QStringList table{kCreate};
    QTest::newRow("create without closing parenthesis") << none << "CREATE TABLE [t] ([a] char(64)" << true << "42000";
    QTest::newRow("unclosed bracket") << none << "CREATE TABLE [t ([a] char(5))" << true << "42000";
    QTest::newRow("numeric field") << none << "CREATE TABLE [t] ([a] integer)" << true << "42000";
    QTest::newRow("field wider than a cell text") << none << "CREATE TABLE [t] ([a] char(300))" << true << "HY104";
    QTest::newRow("field named twice") << none << "CREATE TABLE [t] ([a] char(5),[A] char(5))" << true << "42S21";
    QTest::newRow("select") << table << "SELECT * FROM [t]" << true << "42000";
    QTest::newRow("drop") << table << "DROP TABLE [t]" << true << "42000";
    QTest::newRow("empty") << table << "" << true << "42000";
    QTest::newRow("text after the statement") << table << kInsert + " junk" << true << "42000";
    QTest::newRow("unclosed value list") << table << "INSERT INTO [t] (\"a\")VALUES(?" << true << "42000";
    QTest::newRow("more fields than values") << table << "INSERT INTO [t] (\"a\",\"b\")VALUES(?)" << true << "21S01";
    QTest::newRow("unknown table") << table << "INSERT INTO [u] (\"a\")VALUES('x')" << false << "42S02";
    QTest::newRow("unknown field") << table << "INSERT INTO [t] (\"z\")VALUES('x')" << false << "42S22";
    QTest::newRow("table created twice") << table << "CREATE TABLE [T] ([x] char(5))" << false << "42S01";
    QTest::newRow("values for all fields, too few") << table << "INSERT INTO [t] VALUES('x')" << false << "21S01";
}

void TestXlsOdbcDriver::refusesWhatItDoesNotUnderstand()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, statement);
    QFETCH(bool, refusedAtPrepare);
    QFETCH(QString, state);

    const QString path = Path(QStringLiteral("t.xls"));
    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    QCOMPARE(driver.Connect(DriverClient::ConnectionFor(path)), SQL_SUCCESS);
    for (const QString &s : setup)
        QCOMPARE(driver.ExecDirect(s), SQL_SUCCESS);

    const SQLRETURN prepared = driver.Prepare(statement);
    if (refusedAtPrepare) {
        QCOMPARE(prepared, SQL_ERROR);
    } else {
        QCOMPARE(prepared, SQL_SUCCESS);
        QCOMPARE(driver.Execute({}), SQL_ERROR);
    }
    QCOMPARE(driver.State(), state);
    QVERIFY(driver.Message().startsWith(QLatin1String("[Vrel][XLS Driver]")));

    // The connection goes on working after a refusal.
    QCOMPARE(driver.ExecDirect(QStringLiteral("CREATE TABLE [other] ([x] char(5))")), SQL_SUCCESS);
    QCOMPARE(driver.ExecDirect(QStringLiteral("INSERT INTO [other] (\"x\")VALUES('ok')")), SQL_SUCCESS);
    QCOMPARE(driver.Disconnect(), SQL_SUCCESS);
    QString error;
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(path, &error);
    QVERIFY2(!sheets.isEmpty(), qPrintable(error));
    QCOMPARE(sheets.last().name, QStringLiteral("other"));
    QCOMPARE(sheets.last().rows, (QList<QStringList>{{"x"}, {"ok"}}));
}

void TestXlsOdbcDriver::mangledStatementsAreRefusedNotFatal()
{
    // Valid statements cut, spliced and sprinkled with stray characters: each
    // one either runs or is refused with a five-character SQLSTATE and a text.
    const QStringList seeds{kCreate, kInsert, QStringLiteral("INSERT INTO [t] VALUES('a''b',NULL,?)"),
                            QString::fromUtf8("CREATE TABLE [设备] ([编号] char(64))")};
    const QString stray = QStringLiteral("[]\"'`(),?;: \t\n\\0aZ")
        + QChar(0xD800) + QChar(0xDFFF) + QChar(0xFFFF) + QChar(0x4E2D);
    QRandomGenerator random(20241211);
    const QString path = Path(QStringLiteral("m.xls"));
    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    QCOMPARE(driver.Connect(DriverClient::ConnectionFor(path)), SQL_SUCCESS);
    QCOMPARE(driver.ExecDirect(kCreate), SQL_SUCCESS);
    int refused = 0;
    for (int i = 0; i < 4000; ++i) {
        QString text = seeds[random.bounded(seeds.size())];
        const int edits = 1 + random.bounded(4);
        for (int e = 0; e < edits && !text.isEmpty(); ++e) {
            const int at = random.bounded(text.size());
            switch (random.bounded(4)) {
            case 0:
                text.truncate(at);
                break;
            case 1:
                text.insert(at, stray[random.bounded(stray.size())]);
                break;
            case 2:
                text.remove(at, 1 + random.bounded(3));
                break;
            default:
                text.insert(at, text.mid(random.bounded(text.size()), 1 + random.bounded(8)));
                break;
            }
        }
        const SQLRETURN prepared = driver.Prepare(text);
        SQLRETURN rc = prepared;
        if (SQL_SUCCEEDED(prepared))
            rc = driver.Execute({"1", "2", "3"});
        if (!SQL_SUCCEEDED(rc)) {
            ++refused;
            QVERIFY2(driver.State().size() == 5 && !driver.Message().isEmpty(), qPrintable(text));
        }
    }
    QVERIFY(refused > 1000);
    QCOMPARE(driver.Disconnect(), SQL_SUCCESS);
    QString error;
    QVERIFY2(!ReadWorkbookWithFreexl(path, &error).isEmpty(), qPrintable(error));
}

void TestXlsOdbcDriver::parameterCountMustMatch_data()
{
    QTest::addColumn<QList<int>>("bound");
    QTest::newRow("none bound") << QList<int>{};
    QTest::newRow("one too few") << QList<int>{1, 2};
    QTest::newRow("one too many") << QList<int>{1, 2, 3, 4};
    QTest::newRow("a gap") << QList<int>{1, 3};
}

void TestXlsOdbcDriver::parameterCountMustMatch()
{
    QFETCH(QList<int>, bound);
    const QString path = Path(QStringLiteral("p.xls"));
    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    QCOMPARE(driver.Connect(DriverClient::ConnectionFor(path)), SQL_SUCCESS);
    QCOMPARE(driver.ExecDirect(kCreate), SQL_SUCCESS);
    QCOMPARE(driver.Prepare(kInsert), SQL_SUCCESS);
    for (int n : bound)
        QCOMPARE(driver.BindWide(n, QStringLiteral("v%1").arg(n)), SQL_SUCCESS);
    QCOMPARE(driver.ExecuteBound(), SQL_ERROR);
    QCOMPARE(driver.State(), QStringLiteral("07002"));

    // A refused execution adds no row; the right count then works.
    QCOMPARE(driver.Execute({"1", "2", "3"}), SQL_SUCCESS);
    QCOMPARE(driver.Disconnect(), SQL_SUCCESS);
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(path);
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].rows, (QList<QStringList>{{"a", "b", "c"}, {"1", "2", "3"}}));
}

void TestXlsOdbcDriver::unwritableFolderFailsTheConnect_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("folder missing") << "missing/sub/x.xls" << false;
    QTest::newRow("folder is a file") << "plain.txt/x.xls" << false;
    QTest::newRow("folder without write permission") << "locked/x.xls" << true;
}

void TestXlsOdbcDriver::unwritableFolderFailsTheConnect()
{
    QFETCH(QString, relativePath);
    QFETCH(bool, readOnlyFolder);
    if (readOnlyFolder && ::geteuid() == 0)
        QSKIP("root writes into folders without write permission");
    {
        QFile plain(Path(QStringLiteral("plain.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("locked")));
    QVERIFY(QFile::setPermissions(Path(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner));

    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    QCOMPARE(driver.Connect(DriverClient::ConnectionFor(Path(relativePath))), SQL_ERROR);
    QCOMPARE(driver.State(), QStringLiteral("08001"));
    QVERIFY2(driver.Message().contains(QLatin1String("cannot be written")), qPrintable(driver.Message()));
    QVERIFY(!QFile::exists(Path(relativePath)));
    QFile::setPermissions(Path(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestXlsOdbcDriver::valueLongerThanItsField_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("five characters") << "12345" << true;
    QTest::newRow("six characters") << "123456" << false;
    QTest::newRow("five Chinese characters") << QString::fromUtf8("设备类型名") << true;
    QTest::newRow("six Chinese characters") << QString::fromUtf8("设备类型名称") << false;
    QTest::newRow("five characters beyond the basic plane") << QString::fromUtf8("😀😀😀😀😀") << true;
    QTest::newRow("empty") << "" << true;
}

void TestXlsOdbcDriver::valueLongerThanItsField()
{
    QFETCH(QString, value);
    QFETCH(bool, accepted);
    const QString path = Path(QStringLiteral("v.xls"));
    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    QCOMPARE(driver.Connect(DriverClient::ConnectionFor(path)), SQL_SUCCESS);
    QCOMPARE(driver.ExecDirect(kCreate), SQL_SUCCESS);
    QCOMPARE(driver.Prepare(kInsert), SQL_SUCCESS);
    QCOMPARE(driver.Execute({value, "b", "c"}), accepted ? SQL_SUCCESS : SQL_ERROR);
    if (!accepted) {
        QCOMPARE(driver.State(), QStringLiteral("22001"));
        QVERIFY(driver.Message().contains(QLatin1String("\"a\"")));
    }
    QCOMPARE(driver.Disconnect(), SQL_SUCCESS);
    QList<QStringList> expected{{"a", "b", "c"}};
    if (accepted)
        expected << QStringList{value, "b", "c"};
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(path);
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].rows, expected);
}

void TestXlsOdbcDriver::chineseNamesAndTexts()
{
    const QString path = Path(QString::fromUtf8("设备.xls"));
    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    QCOMPARE(driver.Connect(DriverClient::ConnectionFor(path)), SQL_SUCCESS);
    QCOMPARE(driver.ExecDirect(QString::fromUtf8("CREATE TABLE [设备列表] ([编号] char(64),[设备类型] char(64),[IPv4 地址] char(64))")),
             SQL_SUCCESS);
    QCOMPARE(driver.Prepare(QString::fromUtf8("INSERT INTO [设备列表] (\"编号\",\"设备类型\",\"IPv4 地址\")VALUES(?,?,?)")),
             SQL_SUCCESS);
    const QList<QStringList> rows{
        {"001", QString::fromUtf8("网络摄像机"), "192.168.1.64"},
        {"002", QString::fromUtf8("Grüße, Straße"), QString()},
        {"003", QString::fromUtf8("混合 mixed 文本 ü"), QString::fromUtf8("未激活")},
    };
    for (const QStringList &row : rows)
        QCOMPARE(driver.Execute(row), SQL_SUCCESS);
    QCOMPARE(driver.Disconnect(), SQL_SUCCESS);

    QString error;
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(path, &error);
    QVERIFY2(sheets.size() == 1, qPrintable(error));
    QCOMPARE(sheets[0].name, QString::fromUtf8("设备列表"));
    QCOMPARE(sheets[0].rows.first(), (QStringList{QString::fromUtf8("编号"), QString::fromUtf8("设备类型"),
                                                  QString::fromUtf8("IPv4 地址")}));
    QCOMPARE(sheets[0].rows.mid(1), rows);
}

void TestXlsOdbcDriver::connectionKeys_data()
{
    QTest::addColumn<QString>("connection"); // %1 is the path
    QTest::addColumn<bool>("fileBefore");
    QTest::addColumn<QString>("connectState"); // empty: connects
    QTest::addColumn<QString>("executeState"); // empty: statements run
    QTest::addColumn<QList<QStringList>>("written"); // empty: no workbook written

    const QString driver = QStringLiteral("DRIVER={Microsoft Excel Driver (*.xls)};");
    const QList<QStringList> withNames{{"a", "b", "c"}, {"1", "2", "3"}};
    QTest::newRow("create") << driver + "READONLY=FALSE;CREATE_DB=\"x.xls\";DBQ=%1" << false << "" << "" << withNames;
    QTest::newRow("no field names") << driver + "FIRSTROWHASNAMES=0;READONLY=0;CREATE_DB=\"x.xls\";DBQ=%1" << false
                                    << "" << "" << QList<QStringList>{{"1", "2", "3"}};
    QTest::newRow("read-only") << driver + "READONLY=TRUE;CREATE_DB=\"x.xls\";DBQ=%1" << false << "" << "HY000"
                               << QList<QStringList>{};
    QTest::newRow("existing workbook not replaced") << driver + "READONLY=FALSE;CREATE_DB=\"x.xls\";DBQ=%1" << true
                                                    << "08001" << "" << QList<QStringList>{};
    QTest::newRow("opening an existing workbook") << driver + "READONLY=FALSE;DBQ=%1" << true << "HYC00" << ""
                                                  << QList<QStringList>{};
    QTest::newRow("missing workbook without CREATE_DB") << driver + "READONLY=FALSE;DBQ=%1" << false << "08001" << ""
                                                        << QList<QStringList>{};
    QTest::newRow("no DBQ") << driver + "READONLY=FALSE;CREATE_DB=\"x.xls\"" << false << "08001" << ""
                            << QList<QStringList>{};
    QTest::newRow("bad FIRSTROWHASNAMES") << driver + "FIRSTROWHASNAMES=maybe;CREATE_DB=\"x.xls\";DBQ=%1" << false
                                          << "08001" << "" << QList<QStringList>{};
}

void TestXlsOdbcDriver::connectionKeys()
{
    QFETCH(QString, connection);
    QFETCH(bool, fileBefore);
    QFETCH(QString, connectState);
    QFETCH(QString, executeState);
    QFETCH(QList<QStringList>, written);

    const QString path = Path(QStringLiteral("x.xls"));
    const QByteArray before("not a workbook, and it stays as it is");
    if (fileBefore) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before);
    }
    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    const QString text = connection.contains(QLatin1String("%1")) ? connection.arg(path) : connection;
    const SQLRETURN connected = driver.Connect(text);
    if (!connectState.isEmpty()) {
        QCOMPARE(connected, SQL_ERROR);
        QCOMPARE(driver.State(), connectState);
    } else {
        QCOMPARE(connected, SQL_SUCCESS);
        const SQLRETURN created = driver.ExecDirect(kCreate);
        if (!executeState.isEmpty()) {
            QCOMPARE(created, SQL_ERROR);
            QCOMPARE(driver.State(), executeState);
        } else {
            QCOMPARE(created, SQL_SUCCESS);
            QCOMPARE(driver.Prepare(kInsert), SQL_SUCCESS);
            QCOMPARE(driver.Execute({"1", "2", "3"}), SQL_SUCCESS);
        }
        QCOMPARE(driver.Disconnect(), SQL_SUCCESS);
    }
    if (fileBefore) {
        QCOMPARE(ReadAll(path), before);
    } else if (written.isEmpty()) {
        QVERIFY(!QFile::exists(path));
    } else {
        const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(path);
        QCOMPARE(sheets.size(), 1);
        QCOMPARE(sheets[0].rows, written);
    }
}

void TestXlsOdbcDriver::namesHoldingTheirOwnDelimiters_data()
{
    // Names as a program writes them straight into the statements, and names
    // with the closing character doubled as SQL escapes it.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("create");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("brackets in names") << "list[1];x.xls"
        << "CREATE TABLE [list[1];x] ([x]y] char(5),[q\"r] char(5))"
        << "INSERT INTO [list[1];x] (\"x]y\",\"q\"r\")VALUES(?,?)"
        << "list_1_;x" << QStringList{"x]y", "q\"r"};
    QTest::newRow("doubled closing characters") << "d.xls"
        << "CREATE TABLE [a]]b] ([x]]y] char(5),[z] char(5))"
        << "INSERT INTO [a]]b] (\"x]y\",\"z\")VALUES(?,?)"
        << "a_b" << QStringList{"x]y", "z"};
    QTest::newRow("doubled quotes") << "q.xls"
        << "CREATE TABLE [q] ([say \"hi\"] char(5),[z] char(5))"
        << "INSERT INTO [q] (\"say \"\"hi\"\"\",\"z\")VALUES(?,?)"
        << "q" << QStringList{"say \"hi\"", "z"};
}

void TestXlsOdbcDriver::namesHoldingTheirOwnDelimiters()
{
    QFETCH(QString, file);
    QFETCH(QString, create);
    QFETCH(QString, insert);
    QFETCH(QString, sheet);
    QFETCH(QStringList, fields);
    const QString path = Path(file);
    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    QCOMPARE(driver.Connect(DriverClient::ConnectionFor(path)), SQL_SUCCESS);
    QVERIFY2(driver.ExecDirect(create) == SQL_SUCCESS, qPrintable(driver.Message()));
    QVERIFY2(driver.Prepare(insert) == SQL_SUCCESS, qPrintable(driver.Message()));
    QCOMPARE(driver.Execute({"1", "2"}), SQL_SUCCESS);
    QCOMPARE(driver.Disconnect(), SQL_SUCCESS);
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(path);
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].name, sheet);
    QCOMPARE(sheets[0].rows, (QList<QStringList>{fields, {"1", "2"}}));
}

void TestXlsOdbcDriver::workbookAppearsOnlyWhenComplete()
{
    const QString path = Path(QStringLiteral("w.xls"));
    {
        DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
        QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
        QCOMPARE(driver.Connect(DriverClient::ConnectionFor(path)), SQL_SUCCESS);
        QCOMPARE(driver.ExecDirect(kCreate), SQL_SUCCESS);
        QCOMPARE(driver.Prepare(kInsert), SQL_SUCCESS);
        QCOMPARE(driver.Execute({"1", "2", "3"}), SQL_SUCCESS);
        // Nothing under the workbook's name, and nothing half-written beside it.
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(driver.Disconnect(), SQL_SUCCESS);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"w.xls"});
    }
    {
        // A connection that never created a table leaves nothing.
        const QString other = Path(QStringLiteral("none.xls"));
        DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
        QCOMPARE(driver.Connect(DriverClient::ConnectionFor(other)), SQL_SUCCESS);
        QCOMPARE(driver.Disconnect(), SQL_SUCCESS);
        QVERIFY(!QFile::exists(other));
    }
    {
        // A connection dropped without a disconnect leaves nothing either.
        const QString dropped = Path(QStringLiteral("dropped.xls"));
        auto driver = std::make_unique<DriverClient>(QStringLiteral(XLSODBC_DRIVER_PATH));
        QCOMPARE(driver->Connect(DriverClient::ConnectionFor(dropped)), SQL_SUCCESS);
        QCOMPARE(driver->ExecDirect(kCreate), SQL_SUCCESS);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"w.xls"});
    }
}

void TestXlsOdbcDriver::fullSheetCrossesEveryContainerLimit()
{
    // 65535 records fill a sheet (with the names row); the shared strings
    // then span many CONTINUE records, split inside one-byte and two-byte
    // texts, and the file needs more allocation sectors than the header lists.
    const QString path = Path(QStringLiteral("full.xls"));
    DriverClient driver(QStringLiteral(XLSODBC_DRIVER_PATH));
    QVERIFY2(driver.IsLoaded(), qPrintable(driver.LoadError()));
    QCOMPARE(driver.Connect(DriverClient::ConnectionFor(path)), SQL_SUCCESS);
    QCOMPARE(driver.ExecDirect(QStringLiteral("CREATE TABLE [full] ([n] char(64),[w] char(64),[x] char(64),[y] char(64))")),
             SQL_SUCCESS);
    QCOMPARE(driver.Prepare(QStringLiteral("INSERT INTO [full] (\"n\",\"w\",\"x\",\"y\")VALUES(?,?,?,?)")), SQL_SUCCESS);
    auto rowFor = [](int r) {
        return QStringList{QString::number(r), QString::fromUtf8("设备%1号摄像机").arg(r),
                           QStringLiteral("serial-%1-ABCDEFGHIJ").arg(r, 6, 10, QLatin1Char('0')),
                           QStringLiteral("fe80::%1:1").arg(r, 0, 16)};
    };
    for (int r = 0; r < 65535; ++r) {
        if (driver.Execute(rowFor(r)) != SQL_SUCCESS)
            QFAIL(qPrintable(QStringLiteral("row %1: %2").arg(r).arg(driver.Message())));
    }
    QCOMPARE(driver.Execute(rowFor(65535)), SQL_ERROR);
    QCOMPARE(driver.State(), QStringLiteral("HY000"));
    QCOMPARE(driver.Disconnect(), SQL_SUCCESS);

    QVERIFY(QFileInfo(path).size() > 109LL * 128 * 512);
    QString error;
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(path, &error);
    QVERIFY2(sheets.size() == 1, qPrintable(error));
    QCOMPARE(sheets[0].rows.size(), 65536);
    QCOMPARE(sheets[0].rows[0], (QStringList{"n", "w", "x", "y"}));
    for (int r = 0; r < 65535; ++r) {
        if (sheets[0].rows[r + 1] != rowFor(r))
            QFAIL(qPrintable(QStringLiteral("row %1 reads %2").arg(r).arg(sheets[0].rows[r + 1].join(QLatin1Char('|')))));
    }
}

QTEST_GUILESS_MAIN(TestXlsOdbcDriver)
#include "tst_xlsodbc_driver.moc"
