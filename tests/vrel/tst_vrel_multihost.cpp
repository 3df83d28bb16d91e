// Three device hosts in namespaces of their own, each in a different subnet,
// on one bridge with the library's host, which has no route to any of them
// and filters reverse paths strictly: all found, and one of them moved to a
// new address that it takes on its interface and is found at.
#include <memory>

#include <unistd.h>

#include <QCoreApplication>
#include <QJsonObject>
#include <QTest>

#include "VrelTestSupport.h"

using namespace vreltest;

namespace {

struct HostSetup {
    const char *name;
    const char *address;
    int prefix;
};

const HostSetup kHosts[] = {
    {"h1", "10.1.0.10", 24},
    {"h2", "172.20.5.10", 16},
    {"h3", "192.168.77.10", 24},
};

} // namespace

class TestVrelMultiHost : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void hostsInForeignSubnetsAreFound();
    void movedHostTakesItsNewAddressAndIsFoundThere();

private:
    QString fleet(int i) const { return m_dir.filePath(QStringLiteral("host%1.json").arg(i)); }
    QString inHost(int i, const QString &command);

    QTemporaryDir m_dir;
    QProcess m_hub;
    std::unique_ptr<Agent> m_agents[3];
};

QString TestVrelMultiHost::inHost(int i, const QString &command)
{
    QString out;
    sh(QStringLiteral("nsenter -t %1 -n %2").arg(m_agents[i]->pid()).arg(command), &out);
    return out;
}

void TestVrelMultiHost::initTestCase()
{
    VREL_REQUIRE_NAMESPACE();
    // The hub: a namespace that holds only the bridge; it lives as long as
    // this sleeper, so nothing is left behind whatever happens to the test.
    m_hub.start(QStringLiteral("unshare"), {QStringLiteral("-n"), QStringLiteral("sleep"), QStringLiteral("3600")});
    QVERIFY(m_hub.waitForStarted());
    QTest::qWait(100);
    const QString hub = QString::number(m_hub.processId());
    QCOMPARE(sh(QStringLiteral("nsenter -t %1 -n sh -c 'ip link add br0 type bridge && ip link set br0 up'").arg(hub)), 0);
    // The library's host: 192.168.50.2/24 on vl0, no route to any device's
    // subnet, and a strict reverse-path filter, as hardened hosts have.
    QCOMPARE(sh(QStringLiteral("sysctl -qw net.ipv4.conf.all.rp_filter=1 net.ipv4.conf.default.rp_filter=1")), 0);
    QCOMPARE(sh(QStringLiteral("ip link add vl0 type veth peer name pl0 && ip link set pl0 netns %1 && "
                               "ip addr add 192.168.50.2/24 dev vl0 && ip link set vl0 up && "
                               "nsenter -t %1 -n sh -c 'ip link set pl0 master br0 && ip link set pl0 up'")
                    .arg(hub)),
             0);

    for (int i = 0; i < 3; ++i) {
        const HostSetup &h = kHosts[i];
        QVERIFY(generateFleet(fleet(i), 1,
                              {QStringLiteral("--base-ip"), QString::fromLatin1(h.address), QStringLiteral("--prefix-length"),
                               QString::number(h.prefix), QStringLiteral("--serial-prefix"),
                               QStringLiteral("HOST%1-").arg(i + 1), QStringLiteral("--mac-seed"),
                               QString::number(20 + i), QStringLiteral("--activation"), QStringLiteral("all")}));
        // The agent's host waits for its link, then the agent gives it the
        // device's address.
        m_agents[i] = std::make_unique<Agent>();
        const QString script = QStringLiteral(
            "until ip link show eth0 >/dev/null 2>&1; do sleep 0.05; done; "
            "ip link set lo up && ip link set eth0 up && exec \"$0\" \"$@\"");
        QVERIFY(m_agents[i]->start(fleet(i),
                                   {QStringLiteral("--iface"), QStringLiteral("eth0"), QStringLiteral("--apply-iface"),
                                    QStringLiteral("eth0"), QStringLiteral("--heartbeat"), QStringLiteral("2")},
                                   {QStringLiteral("unshare"), QStringLiteral("-n"), QStringLiteral("sh"),
                                    QStringLiteral("-c"), script},
                                   false));
        const QString pid = QString::number(m_agents[i]->pid());
        QCOMPARE(sh(QStringLiteral("ip link add vh%1 type veth peer name ph%1 && "
                                   "ip link set vh%1 netns %2 name eth0 && ip link set ph%1 netns %3 && "
                                   "nsenter -t %3 -n sh -c 'ip link set ph%1 master br0 && ip link set ph%1 up'")
                        .arg(i)
                        .arg(pid, hub)),
                 0);
    }
    // Each host now has only its own subnet's address.
    for (int i = 0; i < 3; ++i) {
        QString addr;
        for (int tries = 0; tries < 200 && !addr.contains(QLatin1String(kHosts[i].address)); ++tries) {
            QTest::qWait(100);
            addr = inHost(i, QStringLiteral("ip -4 -o addr show dev eth0"));
        }
        QVERIFY2(addr.contains(QStringLiteral("%1/%2").arg(QLatin1String(kHosts[i].address)).arg(kHosts[i].prefix)),
                 qPrintable(addr));
    }
}

void TestVrelMultiHost::cleanupTestCase()
{
    for (auto &a : m_agents)
        a.reset();
    m_hub.kill();
    m_hub.waitForFinished();
    sh(QStringLiteral("ip link del vl0 2>/dev/null"));
}

void TestVrelMultiHost::hostsInForeignSubnetsAreFound()
{
    Library lib;
    QVERIFY(lib.started());
    QCOMPARE(VREL_SendInquiry(), 1);
    Recorder &r = Recorder::instance();
    QVERIFY2(r.waitFor([](const auto &ev) { return ev.size() >= 3; }, 8000), qPrintable(QString::number(r.present())));
    QStringList addresses;
    for (const Event &e : r.events())
        addresses << e.ipv4;
    addresses.sort();
    QCOMPARE(addresses, (QStringList{QStringLiteral("10.1.0.10"), QStringLiteral("172.20.5.10"), QStringLiteral("192.168.77.10")}));
}

void TestVrelMultiHost::movedHostTakesItsNewAddressAndIsFoundThere()
{
    const int moved = 1;
    const QByteArray mac = fleetDevice(fleet(moved), 0).value(QStringLiteral("mac")).toString().toLatin1();
    {
        Library lib;
        QVERIFY(lib.started());
        QCOMPARE(VREL_SendInquiry(), 1);
        QVERIFY(Recorder::instance().waitFor([](const auto &ev) { return ev.size() >= 3; }, 8000));
        const NetParamBlock b = netBlock(QStringLiteral("10.99.0.20"), QStringLiteral("255.255.255.0"),
                                         QStringLiteral("10.99.0.1"));
        QCOMPARE(VREL_ModifyDeviceNetParam(mac.constData(), "Admin12345", &b), 1);
        QVERIFY(Recorder::instance().waitFor([&](const auto &ev) {
            return std::any_of(ev.begin(), ev.end(), [&](const Event &e) {
                return e.event == VREL_EVENT_CHANGED && e.ipv4 == QStringLiteral("10.99.0.20");
            });
        }, 5000));
    }
    // The host really has the new address now, and not the old one.
    const QString addr = inHost(moved, QStringLiteral("ip -4 -o addr show dev eth0"));
    QVERIFY2(addr.contains(QLatin1String("10.99.0.20/24")), qPrintable(addr));
    QVERIFY2(!addr.contains(QLatin1String(kHosts[moved].address)), qPrintable(addr));
    const QString routes = inHost(moved, QStringLiteral("ip -4 route show default"));
    QVERIFY2(routes.contains(QLatin1String("10.99.0.1")), qPrintable(routes));

    // A new session finds it at the new address, the others where they were.
    Library again;
    QVERIFY(again.started());
    QCOMPARE(VREL_SendInquiry(), 1);
    Recorder &r = Recorder::instance();
    QVERIFY(r.waitFor([](const auto &ev) { return ev.size() >= 3; }, 8000));
    QStringList addresses;
    for (const Event &e : r.events())
        addresses << e.ipv4;
    addresses.sort();
    QCOMPARE(addresses, (QStringList{QStringLiteral("10.1.0.10"), QStringLiteral("10.99.0.20"), QStringLiteral("192.168.77.10")}));
}

VREL_NET_TEST_MAIN(TestVrelMultiHost)
#include "tst_vrel_multihost.moc"
