// Setup.xml reading, the language choice and the scoped lock.
#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/AppPaths.h"
#include "app/ClientConfig.h"
#include "app/ClientConfigManager.h"
#include "app/ClientLanguageManager.h"
#include "app/ClientLanguageProperty.h"
#include "app/Zenu_Guard.h"

namespace {

// An empty but valid compiled translation for the language zh_CN.
const QByteArray kEmptyChineseQm = QByteArray::fromHex(
    "3cb86418caef9c95cd211cbf60a1bddda700000005" "7a685f434e");

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(data);
    return path;
}

QByteArray Setup(const QByteArray &translator, const QByteArray &versionType)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configs>\n";
    if (!translator.isNull())
        xml += "<Translator><Value>" + translator + "</Value></Translator>\n";
    if (!versionType.isNull())
        xml += "<VersionType><Value>" + versionType + "</Value></VersionType>\n";
    return xml + "</Configs>\n";
}

} // namespace

class tst_AppConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void missingFileAddsNothing();
    void emptyConfigsGivesDefaults();
    void currentLanguage_data();
    void currentLanguage();
    void firstOfTwoTranslatorsDecides();
    void keyWithoutValueTakesNextValue();
    void loadingTwiceAppends();
    void malformedXmlKeepsEntriesReadSoFar();
    void unknownKeysFindNothing();

    void chineseMissingLeavesEnglishOnly();
    void resolveAppPath();

    void guardReleasesOnce();
    void guardAssignmentTakesOverTheLock();

private:
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void tst_AppConfig::init()
{
    // A fresh application directory for every case.
    m_pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pDir->isValid());
}

void tst_AppConfig::missingFileAddsNothing()
{
    ClientConfigManager config;
    QTest::ignoreMessage(QtDebugMsg, "No file to read...");
    QVERIFY(!config.Load(m_pDir->filePath(QStringLiteral("nothing/Setup.xml"))));
    QCOMPARE(config.Count(), 0);
    QCOMPARE(config.Find(ConfigSkin), nullptr);
    QCOMPARE(config.IntValue(ConfigTranslator), 0);
}

void tst_AppConfig::emptyConfigsGivesDefaults()
{
    WriteFile(*m_pDir, QStringLiteral("translations/VREL_zh.qm"), kEmptyChineseQm);
    ClientConfigManager config;
    QVERIFY(config.Load(WriteFile(*m_pDir, QStringLiteral("Setup.xml"), "<Configs></Configs>")));
    QCOMPARE(config.Count(), 0);

    ClientLanguageManager languages(m_pDir->path() + QLatin1Char('/'));
    QCOMPARE(languages.Count(), 4);
    ClientLanguageProperty *current = languages.Current(config);
    QVERIFY(current);
    QCOMPARE(current->Index(), 2);
    QCOMPARE(current->Locale().language(), QLocale::English);
    QVERIFY(current->FirstTranslator());
    QVERIFY(current->SecondTranslator());
    QVERIFY(current->SecondTranslator()->isEmpty());
}

void tst_AppConfig::currentLanguage_data()
{
    QTest::addColumn<QByteArray>("translator");
    QTest::addColumn<QByteArray>("versionType");
    QTest::addColumn<bool>("chineseAvailable");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QLocale::Language>("language");

    QTest::newRow("Chinese plain") << QByteArray("1") << QByteArray("5") << true << 1 << QLocale::Chinese;
    QTest::newRow("English branded") << QByteArray("0") << QByteArray("0") << true << 2 << QLocale::English;
    QTest::newRow("English plain") << QByteArray("0") << QByteArray("1") << true << 0 << QLocale::English;
    QTest::newRow("Chinese branded") << QByteArray("1") << QByteArray("0") << true << 3 << QLocale::Chinese;
    QTest::newRow("out of range") << QByteArray("7") << QByteArray("1") << true << 0 << QLocale::English;
    QTest::newRow("entry 3 directly") << QByteArray("3") << QByteArray("9") << true << 3 << QLocale::Chinese;
    QTest::newRow("entry 2 directly") << QByteArray("2") << QByteArray("9") << true << 2 << QLocale::English;
    QTest::newRow("not a number") << QByteArray("zh") << QByteArray("x") << true << 2 << QLocale::English;
    QTest::newRow("no VersionType") << QByteArray("1") << QByteArray() << true << 3 << QLocale::Chinese;
    QTest::newRow("Chinese missing") << QByteArray("1") << QByteArray("5") << false << 0 << QLocale::English;
    QTest::newRow("Chinese missing, branded") << QByteArray("1") << QByteArray("0") << false << 0 << QLocale::English;
}

void tst_AppConfig::currentLanguage()
{
    QFETCH(QByteArray, translator);
    QFETCH(QByteArray, versionType);
    QFETCH(bool, chineseAvailable);
    QFETCH(int, expected);
    QFETCH(QLocale::Language, language);

    if (chineseAvailable)
        WriteFile(*m_pDir, QStringLiteral("translations/VREL_zh.qm"), kEmptyChineseQm);
    ClientConfigManager config;
    QVERIFY(config.Load(WriteFile(*m_pDir, QStringLiteral("Setup.xml"), Setup(translator, versionType))));
    ClientLanguageManager languages(m_pDir->path() + QLatin1Char('/'));
    QCOMPARE(languages.Count(), chineseAvailable ? 4 : 2);

    ClientLanguageProperty *current = languages.Current(config);
    QVERIFY(current);
    QCOMPARE(current->Index(), expected);
    QCOMPARE(current->Locale().language(), language);
}

void tst_AppConfig::firstOfTwoTranslatorsDecides()
{
    ClientConfigManager config;
    QVERIFY(config.Load(WriteFile(*m_pDir, QStringLiteral("Setup.xml"),
        "<Configs><Translator><Value>1</Value></Translator>"
        "<Translator><Value>0</Value></Translator></Configs>")));
    QCOMPARE(config.Count(), 2);
    QCOMPARE(config.Find(ConfigTranslator)->Value(), QStringLiteral("1"));
    QCOMPARE(config.IntValue(ConfigTranslator), 1);
}

void tst_AppConfig::keyWithoutValueTakesNextValue()
{
    ClientConfigManager config;
    QVERIFY(config.Load(WriteFile(*m_pDir, QStringLiteral("Setup.xml"),
        "<Configs><Translator><Other>x</Other></Translator>"
        "<Skin><Value>night</Value></Skin>"
        "<LogLevel><Value>3</Value></LogLevel></Configs>")));
    // The Translator entry read on into the Skin element; neither Other nor
    // Skin became entries of their own.
    QCOMPARE(config.Count(), 2);
    QCOMPARE(config.At(0)->Name(), QStringLiteral("Translator"));
    QCOMPARE(config.At(0)->Value(), QStringLiteral("night"));
    QCOMPARE(config.Find(ConfigSkin), nullptr);
    QCOMPARE(config.Find(ConfigLogLevel)->Value(), QStringLiteral("3"));
}

void tst_AppConfig::loadingTwiceAppends()
{
    ClientConfigManager config;
    const QString first = WriteFile(*m_pDir, QStringLiteral("a.xml"),
        "<Configs><Skin><Value>first</Value></Skin><Translator><Value>1</Value></Translator></Configs>");
    const QString second = WriteFile(*m_pDir, QStringLiteral("b.xml"),
        "<Configs><Skin><Value>second</Value></Skin><Translator><Value>0</Value></Translator></Configs>");
    QVERIFY(config.Load(first));
    QVERIFY(config.Load(second));
    QCOMPARE(config.Count(), 4);
    QCOMPARE(config.Find(ConfigSkin)->Value(), QStringLiteral("first"));
    QCOMPARE(config.IntValue(ConfigTranslator), 1);

    config.Clear();
    QCOMPARE(config.Count(), 0);
    QVERIFY(config.Load(second));
    QCOMPARE(config.Find(ConfigSkin)->Value(), QStringLiteral("second"));
}

void tst_AppConfig::malformedXmlKeepsEntriesReadSoFar()
{
    ClientConfigManager config;
    QVERIFY(config.Load(WriteFile(*m_pDir, QStringLiteral("Setup.xml"),
        "<Configs><Translator><Value>1</Value></Translator><Skin><Value>dark</Vaule></Skin>"
        "<LogLevel><Value>2</Value></LogLevel></Configs>")));
    QCOMPARE(config.IntValue(ConfigTranslator), 1);
    QCOMPARE(config.Find(ConfigLogLevel), nullptr);

    ClientConfigManager garbage;
    QVERIFY(garbage.Load(WriteFile(*m_pDir, QStringLiteral("garbage.xml"), "\x01\x02 not xml <<<")));
    QCOMPARE(garbage.Count(), 0);
}

void tst_AppConfig::unknownKeysFindNothing()
{
    ClientConfigManager config;
    QVERIFY(config.Load(WriteFile(*m_pDir, QStringLiteral("Setup.xml"),
        "<Configs><Colour><Value>blue</Value></Colour><translator><Value>1</Value></translator>"
        "<VersionType><Value> 12 </Value></VersionType></Configs>")));
    // Every element is an entry, but names compare case-sensitively and a
    // stray Value outside a known key is an entry of its own.
    QCOMPARE(config.Count(), 5);
    QCOMPARE(config.Find(ConfigTranslator), nullptr);
    QCOMPARE(config.Find(-1), nullptr);
    QCOMPARE(config.Find(4), nullptr);
    QCOMPARE(config.IntValue(ConfigVersionType), 12);
}

void tst_AppConfig::chineseMissingLeavesEnglishOnly()
{
    ClientLanguageManager languages(m_pDir->path() + QLatin1Char('/'));
    QCOMPARE(languages.Count(), 2);
    QVERIFY(languages.Find(0));
    QVERIFY(languages.Find(2));
    QCOMPARE(languages.Find(1), nullptr);
    QCOMPARE(languages.Find(3), nullptr);
    // Without VREL_en.qm the English translators are there but empty.
    QVERIFY(languages.Find(0)->FirstTranslator()->isEmpty());
}

void tst_AppConfig::resolveAppPath()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    QCOMPARE(ApplicationDirSlash(), appDir + QLatin1Char('/'));
    QCOMPARE(ResolveAppPath(QStringLiteral("Setup.xml")), appDir + QStringLiteral("/Setup.xml"));
    QCOMPARE(ResolveAppPath(QStringLiteral("/etc/Setup.xml")), QStringLiteral("/etc/Setup.xml"));
}

void tst_AppConfig::guardReleasesOnce()
{
    Zenu_Mutex mutex;
    {
        Zenu_Guard guard(&mutex);
        guard.Release();
        guard.Release();
        // Released: taking the lock again on this thread must not block.
        Zenu_Guard again(&mutex);
    }
    Zenu_Guard last(&mutex);
}

void tst_AppConfig::guardAssignmentTakesOverTheLock()
{
    Zenu_Mutex first;
    Zenu_Mutex second;
    {
        Zenu_Guard a(&first);
        Zenu_Guard b(&second);
        a = b;
        {
            // a gave up first when it took over second.
            Zenu_Guard check(&first);
        }
        b.Release(); // no longer holds anything
    }
    // a released second exactly once when it went out of scope.
    Zenu_Guard checkFirst(&first);
    Zenu_Guard checkSecond(&second);
}

QTEST_MAIN(tst_AppConfig)
#include "tst_AppConfig.moc"
