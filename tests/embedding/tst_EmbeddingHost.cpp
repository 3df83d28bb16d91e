// The example host program driven through its own menu: it must keep
// working as the documented way to embed the tool.
#include <sched.h>

#include <memory>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QTest>

#include "HostWindow.h"
#include "ToolModule.h"

namespace {

const QString kModule = QStringLiteral(APT_VREL_MODULE);

QAction *Action(QWidget *window, const char *name)
{
    return window->findChild<QAction *>(QString::fromLatin1(name));
}

QWidget *TitleBarOf(QWidget *tool)
{
    const QList<QWidget *> children = tool->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->inherits("CWindowTitle"))
            return child;
    }
    return nullptr;
}

} // namespace

class tst_EmbeddingHost : public QObject
{
    Q_OBJECT

private slots:
    void moduleThatCannotServeIsReported();
    void menuDrivesTheEmbeddedTool();
    void closingWhileFeedingStopsTheFeeder();

private:
    ToolModule m_tool;
};

void tst_EmbeddingHost::moduleThatCannotServeIsReported()
{
    ToolModule missing;
    QVERIFY(!missing.Load(QStringLiteral("/nonexistent/libAPT_VREL.so")));
    QVERIFY(!missing.ErrorString().isEmpty());

    ToolModule wrong;
    QVERIFY(!wrong.Load(QStringLiteral(ZENU_LIBRARY)));
    QVERIFY(wrong.ErrorString().contains(QStringLiteral("embedding functions")));
    // Nothing is called through a module that failed.
    QVERIFY(!wrong.Open(nullptr, nullptr, true));
    wrong.SetFullLook(false);
}

void tst_EmbeddingHost::menuDrivesTheEmbeddedTool()
{
    QVERIFY2(m_tool.Load(kModule), qPrintable(m_tool.ErrorString()));
    HostWindow host(m_tool, 5);
    host.show();
    QVERIFY(host.ShowTool(true));

    auto *tool = host.findChild<QMainWindow *>(QStringLiteral("CAPT_VRELMainWndClass"));
    QVERIFY(tool);
    auto *area = host.findChild<QWidget *>(QStringLiteral("toolArea"));
    QCOMPARE(tool->parentWidget(), area);
    QCOMPARE(static_cast<QGridLayout *>(area->layout())->itemAtPosition(0, 0)->widget(), tool);
    QWidget *title = TitleBarOf(tool);
    QVERIFY(title && title->isVisible());

    Action(&host, "actionTitleBar")->trigger();
    QVERIFY(!title->isVisible());
    Action(&host, "actionTitleBar")->trigger();
    QVERIFY(title->isVisible());

    Action(&host, "actionCompactLook")->trigger();
    QVERIFY(tool->styleSheet().contains(QStringLiteral("border-width:23 58 58 58;")));
    QVERIFY(!Action(&host, "actionFullLook")->isChecked());
    Action(&host, "actionFullLook")->trigger();
    QVERIFY(tool->styleSheet().contains(QStringLiteral("border-width:58;")));

    // The host's devices come from its worker thread into the tool's table
    // and its own log.
    auto *table = tool->findChild<QAbstractItemView *>(QStringLiteral("tableWidgetDevice"));
    auto *log = host.findChild<QListWidget *>(QStringLiteral("listFed"));
    QVERIFY(table && log);
    Action(&host, "actionFeed")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 5, 10000);
    QTRY_COMPARE(log->count(), 5);
    Action(&host, "actionWithdraw")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 0, 10000);
}

void tst_EmbeddingHost::closingWhileFeedingStopsTheFeeder()
{
    {
        auto host = std::make_unique<HostWindow>(m_tool, 250);
        host->show();
        QVERIFY(host->ShowTool(false));
        host->FeedDevices();
        QTest::qWait(50);
        // Destroys the feeder (joining its thread) before the tool's window.
    }
    QCoreApplication::processEvents();
}

int main(int argc, char **argv)
{
    // Discovery stays off (see the test's environment); a private network
    // namespace on top when we are allowed one.
    if (unshare(CLONE_NEWNET) != 0)
        qInfo("not isolated from the network (no private namespace); discovery stays off");
    QApplication app(argc, argv);
    tst_EmbeddingHost tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_EmbeddingHost.moc"
