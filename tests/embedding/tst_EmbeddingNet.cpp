// The built module in a host with real discovery: devices played by
// vrel-device on loopback and devices the host feeds meet in one table.
// Runs in a private network namespace of its own (root only; skips otherwise).
#include <sched.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include <QAbstractItemView>
#include <QApplication>
#include <QGridLayout>
#include <QLibrary>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/VrelExport.h"
#include "TestRecords.h"

namespace {

const QString kModule = QStringLiteral(APT_VREL_MODULE);
const QString kAgent = QStringLiteral(VREL_DEVICE_PATH);

bool g_isolated = false;
QString g_whyNot;

bool IsolateNetwork()
{
    if (unshare(CLONE_NEWNET) != 0) {
        g_whyNot = QStringLiteral("no private network namespace");
        return false;
    }
    if (std::system("ip link set lo up && ip link set lo multicast on && ip route add 224.0.0.0/4 dev lo") != 0) {
        g_whyNot = QStringLiteral("could not prepare the loopback interface");
        return false;
    }
    return true;
}

QStringList TableColumn(const QAbstractItemModel *model, int column)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

} // namespace

class tst_EmbeddingNet : public QObject
{
    Q_OBJECT

private slots:
    void discoveredAndFedDevicesShareTheTable();
};

void tst_EmbeddingNet::discoveredAndFedDevicesShareTheTable()
{
    if (!g_isolated) {
        if (geteuid() != 0)
            QSKIP("needs root for a private network namespace");
        QFAIL(qPrintable(g_whyNot));
    }

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fleet = dir.filePath(QStringLiteral("fleet.json"));
    QCOMPARE(QProcess::execute(kAgent, {QStringLiteral("--generate"), QStringLiteral("3"), QStringLiteral("--out"), fleet}),
             0);
    QProcess agent;
    agent.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    agent.start(kAgent, {QStringLiteral("--state"), fleet, QStringLiteral("--iface"), QStringLiteral("lo"),
                         QStringLiteral("--heartbeat"), QStringLiteral("1")});
    QVERIFY(agent.waitForStarted());

    QLibrary module(kModule);
    QVERIFY2(module.load(), qPrintable(module.errorString()));
    const auto open = reinterpret_cast<APT_VREL_OpenDialogFn>(module.resolve("APT_VREL_OpenDialog"));
    const auto callBack = reinterpret_cast<APT_VREL_CallBackFn>(module.resolve("APT_VREL_CallBack"));
    QVERIFY(open && callBack);

    auto host = std::make_unique<QWidget>();
    host->resize(1100, 900);
    auto *layout = new QGridLayout(host.get());
    host->show();
    QVERIFY(open(host.get(), layout, 1, 0, 0, 0));
    auto *table = host->findChild<QAbstractItemView *>(QStringLiteral("tableWidgetDevice"));
    QVERIFY(table && table->model());
    const QAbstractItemModel *model = table->model();
    const int serialColumn = 8;   // the table's serial number column

    // The agent's three devices, found by the library's own thread.
    QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), 3, 20000);

    // Two of the host's own from a worker, meanwhile the library keeps reporting.
    std::thread worker([callBack] {
        for (int n = 901; n <= 902; ++n) {
            const VREL_CALLBACK_RECORD r = MakeRecord(FleetDevice(n), VREL_EVENT_FOUND);
            callBack(&r);
        }
    });
    worker.join();
    QTRY_COMPARE(model->rowCount(), 5);
    const QString fed901 = QString::fromLatin1(FleetDevice(901).serial);
    const QString fed902 = QString::fromLatin1(FleetDevice(902).serial);
    QVERIFY(TableColumn(model, serialColumn).contains(fed901));

    const VREL_CALLBACK_RECORD gone = MakeRecord(FleetDevice(901), VREL_EVENT_GONE);
    callBack(&gone);
    QTRY_COMPARE(model->rowCount(), 4);
    QVERIFY(!TableColumn(model, serialColumn).contains(fed901));

    // The agent's devices say goodbye; the host's device stays.
    agent.terminate();
    QVERIFY(agent.waitForFinished(10000));
    QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), 1, 15000);
    QCOMPARE(TableColumn(model, serialColumn), QStringList{fed902});

    // Destroying the host stops the library with the tool's window.
    host.reset();
}

int main(int argc, char **argv)
{
    // Before any thread exists.
    g_isolated = IsolateNetwork();
    QApplication app(argc, argv);
    tst_EmbeddingNet tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_EmbeddingNet.moc"
