// Start checks of the program as separate processes: one instance at a time,
// also after the first was killed, and the smallest screen it accepts.
#include <sys/ipc.h>
#include <sys/shm.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSharedMemory>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString output;
};

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void secondStartRefusedWhileFirstRuns();
    void startAfterKillOfFirstSucceeds();
    void startAfterNormalEndSucceeds();
    void resolutionBoundary_data();
    void resolutionBoundary();
    void onlyRunningMessageWhenBothHold();
    void startsWithoutSetupXml();
    void messagesFollowTheConfiguredLanguage();

private:
    QProcess *StartHelper(const QSize &screen = QSize(1280, 1024), bool quit = false,
                          const QString &program = QStringLiteral(HELPER));
    Run RunHelper(const QSize &screen = QSize(1280, 1024), bool quit = false,
                  const QString &program = QStringLiteral(HELPER));
    // A copy of the program in a folder of its own, with only the files given.
    QString HelperCopy(const QString &setupXml, bool withTranslations, bool withSkin);
    bool WaitShown(QProcess *process);
    bool SegmentExists() const;

    QString m_strKey;
    QTemporaryDir m_dir;
    QList<QProcess *> m_processes;
    int m_nCase = 0;
    int m_nCopies = 0;
};

void tst_SingleInstance::init()
{
    QVERIFY(m_dir.isValid());
    m_strKey = QStringLiteral("VRELTEST_%1_%2").arg(QCoreApplication::applicationPid()).arg(++m_nCase);
}

void tst_SingleInstance::cleanup()
{
    for (QProcess *process : std::as_const(m_processes)) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(10000);
        }
        delete process;
    }
    m_processes.clear();
    // Drop a segment that a killed helper left behind.
    QSharedMemory leftover(m_strKey);
    if (leftover.attach())
        leftover.detach();
}

QProcess *tst_SingleInstance::StartHelper(const QSize &screen, bool quit, const QString &program)
{
    const QString config = m_dir.filePath(QStringLiteral("screen-%1x%2.json").arg(screen.width()).arg(screen.height()));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral(R"({"screens":[{"name":"s0","x":0,"y":0,"width":%1,"height":%2,"logicalDpi":96}]})")
                       .arg(screen.width()).arg(screen.height()).toUtf8());
        file.close();
    }
    auto *process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
    env.insert(QStringLiteral("VREL_TEST_INSTANCE_KEY"), m_strKey);
    env.insert(QStringLiteral("VREL_TEST_QUIT"), quit ? QStringLiteral("1") : QStringLiteral("0"));
    // Copies of the program elsewhere find the libraries where they were built.
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral(HELPER_LIBRARY_PATH));
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->start(program, {});
    m_processes.append(process);
    return process;
}

Run tst_SingleInstance::RunHelper(const QSize &screen, bool quit, const QString &program)
{
    QProcess *process = StartHelper(screen, quit, program);
    Run run;
    if (!process->waitForFinished(60000))
        return run;
    run.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -2;
    run.output = QString::fromUtf8(process->readAllStandardOutput());
    return run;
}

bool tst_SingleInstance::WaitShown(QProcess *process)
{
    QByteArray seen;
    while (!seen.contains("SHOWN")) {
        if (process->state() == QProcess::NotRunning || !process->waitForReadyRead(60000))
            return false;
        seen += process->readAllStandardOutput();
    }
    return true;
}

bool tst_SingleInstance::SegmentExists() const
{
    // Looks the segment up without attaching to it.
    QSharedMemory probe(m_strKey);
    const key_t key = ftok(QFile::encodeName(probe.nativeKey()).constData(), 'Q');
    return key != -1 && shmget(key, 0, 0) != -1;
}

void tst_SingleInstance::secondStartRefusedWhileFirstRuns()
{
    QProcess *first = StartHelper();
    QVERIFY(WaitShown(first));

    const Run second = RunHelper();
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.output, QStringLiteral("MESSAGE:VREL|Software is already running.\n"));

    QCOMPARE(first->state(), QProcess::Running);
}

void tst_SingleInstance::startAfterKillOfFirstSucceeds()
{
    QProcess *first = StartHelper();
    QVERIFY(WaitShown(first));
    first->kill(); // SIGKILL: nothing of the first instance gets to clean up
    QVERIFY(first->waitForFinished(10000));
    QVERIFY2(SegmentExists(), "the killed instance left its segment behind");

    QProcess *next = StartHelper();
    QVERIFY(WaitShown(next));
    QVERIFY(!next->readAllStandardOutput().contains("MESSAGE"));

    // The new instance holds the key for real.
    const Run refused = RunHelper();
    QCOMPARE(refused.exitCode, 0);
    QVERIFY(refused.output.contains(QStringLiteral("Software is already running.")));
}

void tst_SingleInstance::startAfterNormalEndSucceeds()
{
    const Run first = RunHelper(QSize(1280, 1024), true);
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.output, QStringLiteral("SHOWN\nSKIN:yes\nMESSAGE:Confirm|Sure to close software\n"));
    QVERIFY(!SegmentExists());

    const Run second = RunHelper(QSize(1280, 1024), true);
    QCOMPARE(second.exitCode, 0);
    QVERIFY(second.output.startsWith(QStringLiteral("SHOWN\n")));
}

void tst_SingleInstance::resolutionBoundary_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("1024 x 768") << QSize(1024, 768) << true;
    QTest::newRow("1023 x 768") << QSize(1023, 768) << false;
    QTest::newRow("1024 x 767") << QSize(1024, 767) << false;
    QTest::newRow("800 x 600") << QSize(800, 600) << false;
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << true;
}

void tst_SingleInstance::resolutionBoundary()
{
    QFETCH(QSize, screen);
    QFETCH(bool, accepted);
    const Run run = RunHelper(screen, true);
    QCOMPARE(run.exitCode, 0);
    if (accepted)
        QVERIFY2(run.output.startsWith(QStringLiteral("SHOWN\n")), qPrintable(run.output));
    else
        QCOMPARE(run.output, QStringLiteral("MESSAGE:VREL|The least resolution is 1024*768.\n"));
}

void tst_SingleInstance::onlyRunningMessageWhenBothHold()
{
    QProcess *first = StartHelper();
    QVERIFY(WaitShown(first));
    const Run second = RunHelper(QSize(800, 600));
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.output, QStringLiteral("MESSAGE:VREL|Software is already running.\n"));
}

QString tst_SingleInstance::HelperCopy(const QString &setupXml, bool withTranslations, bool withSkin)
{
    const QString dir = m_dir.filePath(QStringLiteral("app%1").arg(++m_nCopies));
    QDir().mkpath(dir);
    const QString program = dir + QStringLiteral("/vrel_instance_helper");
    QFile::copy(QStringLiteral(HELPER), program);
    QFile::setPermissions(program, QFile::permissions(QStringLiteral(HELPER)));
    if (!setupXml.isEmpty()) {
        QFile setup(dir + QStringLiteral("/Setup.xml"));
        if (setup.open(QIODevice::WriteOnly))
            setup.write(setupXml.toUtf8());
    }
    const QString built = QFileInfo(QStringLiteral(HELPER)).absolutePath();
    if (withTranslations) {
        QDir().mkpath(dir + QStringLiteral("/translations"));
        for (const char *name : {"/translations/VREL_en.qm", "/translations/VREL_zh.qm"})
            QFile::copy(built + QLatin1String(name), dir + QLatin1String(name));
    }
    if (withSkin) {
        QDir().mkpath(dir + QStringLiteral("/plugins/skins"));
        const QDir skins(built + QStringLiteral("/plugins/skins"));
        for (const QString &file : skins.entryList(QDir::Files))
            QFile::copy(skins.filePath(file), dir + QStringLiteral("/plugins/skins/") + file);
    }
    return program;
}

void tst_SingleInstance::startsWithoutSetupXml()
{
    // The shipped configuration names the default skin.
    const Run shipped = RunHelper(QSize(1280, 1024), true);
    QVERIFY2(shipped.output.startsWith(QStringLiteral("SHOWN\nSKIN:yes\n")), qPrintable(shipped.output));

    // No Setup.xml: English, no skin, and the start goes on.
    const QString bare = HelperCopy(QString(), true, true);
    const Run run = RunHelper(QSize(1280, 1024), true, bare);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.output, QStringLiteral("SHOWN\nSKIN:no\nMESSAGE:Confirm|Sure to close software\n"));
}

void tst_SingleInstance::messagesFollowTheConfiguredLanguage()
{
    QProcess *first = StartHelper();
    QVERIFY(WaitShown(first));

    const QString chinese = HelperCopy(QStringLiteral(
        "<Configs><Translator><Value>1</Value></Translator><Skin><Value>default</Value></Skin></Configs>"),
        true, true);
    const Run second = RunHelper(QSize(1280, 1024), false, chinese);
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.output, QStringLiteral("MESSAGE:设备网络搜索|软件已在运行。\n"));

    // Without the Chinese file the same setting falls back to English.
    const QString untranslated = HelperCopy(QStringLiteral(
        "<Configs><Translator><Value>1</Value></Translator></Configs>"), false, false);
    const Run third = RunHelper(QSize(1280, 1024), false, untranslated);
    QCOMPARE(third.output, QStringLiteral("MESSAGE:VREL|Software is already running.\n"));
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
