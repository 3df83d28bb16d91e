// The built module as a host program meets it: its export table, and
// loading it at run time with QLibrary to show the tool in the host's layout.
//
// The module links the real discovery library. The test runs with a packet
// capture library name that does not load, so discovery does not start, and
// moves itself into a private network namespace first when it may.
#include <sched.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLibrary>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/VrelExport.h"
#include "TestRecords.h"

namespace {

const QString kModule = QStringLiteral(APT_VREL_MODULE);

// The dynamic symbols the module defines, undecorated names as the linker sees them.
QStringList DefinedDynamicSymbols(QString *error)
{
    QProcess nm;
    nm.start(QStringLiteral(NM_TOOL), {QStringLiteral("-D"), QStringLiteral("--defined-only"), kModule});
    if (!nm.waitForFinished(60000) || nm.exitStatus() != QProcess::NormalExit || nm.exitCode() != 0) {
        *error = QStringLiteral("nm failed: %1").arg(QString::fromLocal8Bit(nm.readAllStandardError()));
        return {};
    }
    QStringList symbols;
    const QList<QByteArray> lines = nm.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        // "<address> <type> <name>"; code is T (or W for inline members).
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() == 3 && (parts[1] == "T" || parts[1] == "W"))
            symbols << QString::fromLatin1(parts[2]);
    }
    return symbols;
}

} // namespace

class tst_EmbeddingModule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportTable_data();
    void exportTable();
    void loadedModuleShowsTheToolInTheHost();

private:
    QStringList m_symbols;
};

void tst_EmbeddingModule::initTestCase()
{
    QVERIFY2(QFileInfo::exists(kModule), qPrintable(kModule));
    QString error;
    m_symbols = DefinedDynamicSymbols(&error);
    QVERIFY2(!m_symbols.isEmpty(), qPrintable(error));
}

void tst_EmbeddingModule::exportTable_data()
{
    QTest::addColumn<QString>("symbol");
    // Plain C names: no C++ decoration on this platform.
    QTest::newRow("OpenDialog") << QStringLiteral("APT_VREL_OpenDialog");
    QTest::newRow("ChangeSize") << QStringLiteral("APT_VREL_ChangeSize");
    QTest::newRow("CallBack") << QStringLiteral("APT_VREL_CallBack");
    // The runtime library's interface that comes with the module.
    QTest::newRow("Zenu_Guard(Zenu_Mutex*)") << QStringLiteral("_ZN10Zenu_GuardC1EP10Zenu_Mutex");
    QTest::newRow("~Zenu_Guard()") << QStringLiteral("_ZN10Zenu_GuardD1Ev");
    QTest::newRow("Zenu_Guard::operator=") << QStringLiteral("_ZN10Zenu_GuardaSERKS_");
    QTest::newRow("Zenu_Guard::Release") << QStringLiteral("_ZN10Zenu_Guard7ReleaseEv");
    QTest::newRow("Zenu_Mutex::operator=") << QStringLiteral("_ZN10Zenu_MutexaSERKS_");
    QTest::newRow("Zenu_Sema::operator=") << QStringLiteral("_ZN9Zenu_SemaaSERKS_");
}

void tst_EmbeddingModule::exportTable()
{
    QFETCH(QString, symbol);
    QVERIFY2(m_symbols.contains(symbol), qPrintable(symbol));
}

void tst_EmbeddingModule::loadedModuleShowsTheToolInTheHost()
{
    const QString styleName = QString::fromLatin1(QApplication::style()->metaObject()->className());
    const QFont font = QApplication::font();

    QLibrary module(kModule);
    QVERIFY2(module.load(), qPrintable(module.errorString()));
    const auto open = reinterpret_cast<APT_VREL_OpenDialogFn>(module.resolve("APT_VREL_OpenDialog"));
    const auto changeSize = reinterpret_cast<APT_VREL_ChangeSizeFn>(module.resolve("APT_VREL_ChangeSize"));
    const auto callBack = reinterpret_cast<APT_VREL_CallBackFn>(module.resolve("APT_VREL_CallBack"));
    QVERIFY(open && changeSize && callBack);

    // Before any window: nothing happens.
    const VREL_CALLBACK_RECORD found = MakeRecord(FleetDevice(5), VREL_EVENT_FOUND);
    changeSize(0);
    callBack(&found);

    QWidget host;
    host.resize(1100, 900);
    auto *layout = new QGridLayout(&host);
    layout->addWidget(new QLabel(QStringLiteral("host"), &host), 1, 0);
    host.show();

    // This test's screen is below the stand-alone minimum; the host decides
    // about that, so no message may come up. One that did is recorded and
    // closed rather than left to block the test.
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QVERIFY2(screen.width() < 1024 || screen.height() < 768, "the test needs a small screen");
    QStringList modals;
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, [&modals] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            modals << QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    watchdog.start(20);
    QVERIFY(open(&host, layout, 0x100, 0, 0, 0));   // low byte 0: no title bar
    QCoreApplication::processEvents();
    watchdog.stop();
    QVERIFY2(modals.isEmpty(), qPrintable(modals.join(QLatin1Char(' '))));

    auto *window = host.findChild<QMainWindow *>(QStringLiteral("CAPT_VRELMainWndClass"));
    QVERIFY(window);
    QCOMPARE(layout->itemAtPosition(0, 0)->widget(), window);
    QCOMPARE(window->window(), &host);
    QVERIFY(window->isVisible());
    QWidget *title = nullptr;
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->inherits("CWindowTitle"))
            title = child;
    }
    QVERIFY(title);
    QVERIFY(title->isHidden());

    // The configuration next to this executable asks for Chinese, and the
    // plug-in folder below it (an empty one) is searched; nothing of the
    // stand-alone start.
    QTranslator chinese;
    QVERIFY(chinese.load(QCoreApplication::applicationDirPath() + QStringLiteral("/translations/VREL_zh.qm")));
    const QString onlineDevices = chinese.translate("CAPT_VRELMainWndClass", "Online Devices");
    QVERIFY(!onlineDevices.isEmpty());
    auto *tabButton = window->findChild<QPushButton *>(QStringLiteral("m_pBtnVrel"));
    QVERIFY(tabButton);
    QCOMPARE(tabButton->text(), onlineDevices);
    QVERIFY(QCoreApplication::libraryPaths().contains(QCoreApplication::applicationDirPath() + QStringLiteral("/plugins")));
    QCOMPARE(QString::fromLatin1(QApplication::style()->metaObject()->className()), styleName);
    QVERIFY(qApp->styleSheet().isEmpty());
    QCOMPARE(QApplication::font(), font);

    // Records of the host reach the table, with discovery not running.
    auto *table = window->findChild<QAbstractItemView *>(QStringLiteral("tableWidgetDevice"));
    QVERIFY(table && table->model());
    callBack(nullptr);
    callBack(&found);
    QTRY_COMPARE(table->model()->rowCount(), 1);
    const VREL_CALLBACK_RECORD gone = MakeRecord(FleetDevice(5), VREL_EVENT_GONE);
    callBack(&gone);
    QTRY_COMPARE(table->model()->rowCount(), 0);

    changeSize(0);
    QVERIFY(window->styleSheet().contains(QStringLiteral("border-width:23 58 58 58;")));
    changeSize(1);
    QVERIFY(window->styleSheet().contains(QStringLiteral("border-width:58;")));

    // The module stays loaded: the window and the host's records need it.
}

int main(int argc, char **argv)
{
    // No packet of this test may leave the machine: a private network
    // namespace when we are allowed one (discovery does not start anyway).
    if (unshare(CLONE_NEWNET) != 0)
        qInfo("not isolated from the network (no private namespace); discovery stays off");
    QApplication app(argc, argv);
    tst_EmbeddingModule tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_EmbeddingModule.moc"
