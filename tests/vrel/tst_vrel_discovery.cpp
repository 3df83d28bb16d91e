// Discovery through the real library and agent: found, changed and gone
// events, the record's fields, and independence from a blocked callback.
#include <atomic>
#include <thread>

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QTest>

#include "VrelTestSupport.h"

using namespace vreltest;

class TestVrelDiscovery : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fleetIsFoundWithFullRecords();
    void changeIsAnnouncedAndFoundAgain();
    void goodbyeAndSilenceMakeDevicesGone_data();
    void goodbyeAndSilenceMakeDevicesGone();
    void commandsDoNotWaitForBlockedCallback();
    void stopWaitsForRunningCallback();
    void interfaceThatAppearsLaterIsServed();
    void stopFromInsideCallbackIsSafe();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestVrelDiscovery::initTestCase()
{
    VREL_REQUIRE_NAMESPACE();
    QVERIFY(m_dir.isValid());
}

void TestVrelDiscovery::fleetIsFoundWithFullRecords()
{
    const QString fleet = path(QStringLiteral("fifty.json"));
    QVERIFY(generateFleet(fleet, 50));
    Agent agent;
    QVERIFY(agent.start(fleet));
    Library lib;
    QVERIFY(lib.started());
    QCOMPARE(VREL_SendInquiry(), 1);
    Recorder &r = Recorder::instance();
    QVERIFY2(r.waitFor([](const auto &ev) { return ev.size() >= 50; }, 10000),
             qPrintable(QString::number(r.events().size())));
    QTest::qWait(300);

    // Each device once, as found.
    QSet<QString> macs;
    for (const Event &e : r.events()) {
        QCOMPARE(e.event, int(VREL_EVENT_FOUND));
        macs.insert(e.mac);
    }
    QCOMPARE(macs.size(), 50);

    // Every field of one record against the state file.
    const QJsonObject dev = fleetDevice(fleet, 2);
    const auto events = r.events();
    auto it = std::find_if(events.begin(), events.end(),
                           [&](const Event &e) { return e.serial == dev.value(QStringLiteral("serial")).toString(); });
    QVERIFY(it != events.end());
    const VREL_CALLBACK_RECORD &rec = it->record;
    QCOMPARE(text(rec.szProtocol, 12), QStringLiteral("VRLP/1"));
    QCOMPARE(text(rec.szMac, 20), dev.value(QStringLiteral("mac")).toString());
    QVERIFY(text(rec.szMac, 20).contains(QRegularExpression(QStringLiteral("^([0-9a-f]{2}-){5}[0-9a-f]{2}$"))));
    QCOMPARE(text(rec.szIPv4Address, 16), dev.value(QStringLiteral("ipv4")).toString());
    QCOMPARE(text(rec.szIPv4SubnetMask, 16), dev.value(QStringLiteral("mask")).toString());
    QCOMPARE(text(rec.szIPv4Gateway, 16), dev.value(QStringLiteral("gateway")).toString());
    QCOMPARE(text(rec.szIPv6Address, 46), dev.value(QStringLiteral("ipv6")).toString());
    QCOMPARE(text(rec.szIPv6Gateway, 46), dev.value(QStringLiteral("ipv6Gateway")).toString());
    QCOMPARE(int(rec.byIPv6PrefixLength), dev.value(QStringLiteral("ipv6Prefix")).toInt());
    QCOMPARE(text(rec.szDeviceDescription, 24), dev.value(QStringLiteral("description")).toString());
    QCOMPARE(text(rec.szSoftwareVersion, 48), dev.value(QStringLiteral("softwareVersion")).toString());
    QCOMPARE(text(rec.szDspVersion, 48), dev.value(QStringLiteral("dspVersion")).toString());
    QCOMPARE(text(rec.szStartTime, 48), dev.value(QStringLiteral("startTime")).toString());
    QCOMPARE(rec.nDeviceType, dev.value(QStringLiteral("deviceType")).toInt());
    QCOMPARE(rec.nPort, dev.value(QStringLiteral("port")).toInt());
    QCOMPARE(rec.nChannelNumber, dev.value(QStringLiteral("channels")).toInt());
    QCOMPARE(int(rec.wHttpPort), dev.value(QStringLiteral("httpPort")).toInt());
    QCOMPARE(int(rec.byCapability), dev.value(QStringLiteral("capabilities")).toInt());
    QCOMPARE(int(rec.byDhcpState), dev.value(QStringLiteral("dhcp")).toBool() ? 1 : 0);
    QCOMPARE(int(rec.byExtended), 1);
    QCOMPARE(rec.byActivation == 0, dev.value(QStringLiteral("activated")).toBool());
    QCOMPARE(dev.value(QStringLiteral("activated")).toBool(), false); // index 2 of a mixed fleet
    // The program checks these texts for a zero byte within 64 bytes.
    const char *base = reinterpret_cast<const char *>(&rec);
    for (int off : {0x000, 0x00C, 0x03C, 0x050, 0x060, 0x080, 0x0B0, 0x0E0})
        QVERIFY2(memchr(base + off, 0, 64) != nullptr, qPrintable(QString::number(off, 16)));
}

void TestVrelDiscovery::changeIsAnnouncedAndFoundAgain()
{
    const QString fleet = path(QStringLiteral("change.json"));
    QVERIFY(generateFleet(fleet, 5, {QStringLiteral("--activation"), QStringLiteral("all")}));
    const QJsonObject dev = fleetDevice(fleet, 1);
    const QByteArray mac = dev.value(QStringLiteral("mac")).toString().toLatin1();
    Agent agent;
    QVERIFY(agent.start(fleet));
    {
        Library lib;
        QVERIFY(lib.started());
        QCOMPARE(VREL_SendInquiry(), 1);
        Recorder &r = Recorder::instance();
        QVERIFY(r.waitFor([](const auto &ev) { return ev.size() >= 5; }, 10000));
        const NetParamBlock b = netBlock(QStringLiteral("10.77.0.9"), QStringLiteral("255.255.0.0"),
                                         QStringLiteral("10.77.0.1"), 8100, 8080);
        QCOMPARE(VREL_ModifyDeviceNetParam(mac.constData(), "Admin12345", &b), 1);
        QVERIFY(r.waitFor([&](const auto &ev) {
            return std::any_of(ev.begin(), ev.end(), [&](const Event &e) {
                return e.event == VREL_EVENT_CHANGED && e.mac == QString::fromLatin1(mac) && e.ipv4 == QStringLiteral("10.77.0.9");
            });
        }, 5000));
        const auto ev = r.events();
        const Event &changed = *std::find_if(ev.begin(), ev.end(), [](const Event &e) { return e.event == VREL_EVENT_CHANGED; });
        QCOMPARE(text(changed.record.szIPv4SubnetMask, 16), QStringLiteral("255.255.0.0"));
        QCOMPARE(text(changed.record.szIPv4Gateway, 16), QStringLiteral("10.77.0.1"));
        QCOMPARE(changed.record.nPort, 8100);
        QCOMPARE(int(changed.record.wHttpPort), 8080);
        // Stored before it was confirmed.
        QCOMPARE(fleetDevice(fleet, 1).value(QStringLiteral("ipv4")).toString(), QStringLiteral("10.77.0.9"));
    }
    // A new session finds it at its new address.
    Library again;
    QVERIFY(again.started());
    QCOMPARE(VREL_SendInquiry(), 1);
    QVERIFY(Recorder::instance().waitFor([&](const auto &ev) {
        return std::any_of(ev.begin(), ev.end(), [&](const Event &e) {
            return e.event == VREL_EVENT_FOUND && e.mac == QString::fromLatin1(mac) && e.ipv4 == QStringLiteral("10.77.0.9");
        });
    }, 5000));
}

void TestVrelDiscovery::goodbyeAndSilenceMakeDevicesGone_data()
{
    QTest::addColumn<bool>("cleanExit");
    QTest::newRow("goodbye on a clean exit") << true;
    QTest::newRow("silence after a kill") << false;
}

void TestVrelDiscovery::goodbyeAndSilenceMakeDevicesGone()
{
    QFETCH(bool, cleanExit);
    const QString fleet = path(QStringLiteral("gone.json"));
    QVERIFY(generateFleet(fleet, 10));
    Agent agent;
    QVERIFY(agent.start(fleet, {QStringLiteral("--heartbeat"), QStringLiteral("1")}));
    Library lib;
    QVERIFY(lib.started());
    QCOMPARE(VREL_SendInquiry(), 1);
    Recorder &r = Recorder::instance();
    QVERIFY(r.waitFor([](const auto &ev) { return ev.size() >= 10; }, 10000));
    // Heartbeats keep them present meanwhile.
    QTest::qWait(2500);
    QCOMPARE(r.count(VREL_EVENT_GONE), 0);
    if (cleanExit)
        QVERIFY(agent.stop());
    else
        agent.kill();
    // Hold time is 3 x 1 s + 2 s.
    QVERIFY2(r.waitFor([](const auto &ev) {
        return std::count_if(ev.begin(), ev.end(), [](const Event &e) { return e.event == VREL_EVENT_GONE; }) >= 10;
    }, cleanExit ? 3000 : 9000), qPrintable(QString::number(r.count(VREL_EVENT_GONE))));
    QCOMPARE(r.present(), 0);
}

void TestVrelDiscovery::commandsDoNotWaitForBlockedCallback()
{
    const QString fleet = path(QStringLiteral("blocked.json"));
    QVERIFY(generateFleet(fleet, 6));
    Agent agent;
    QVERIFY(agent.start(fleet));
    Library lib;
    QVERIFY(lib.started());
    Recorder &r = Recorder::instance();
    {
        // The program holds its device-list lock across library calls, and
        // the callback waits for that lock meanwhile.
        std::lock_guard<std::mutex> held(r.gate);
        QCOMPARE(VREL_SendInquiry(), 1);
        QTest::qWait(500);
        const QString serial = fleetDevice(fleet, 2).value(QStringLiteral("serial")).toString();
        QCOMPARE(VREL_ActivateDevice(serial.toLatin1().constData(), "Fresh12345"), 1);
        DeviceKeyBuffer key;
        QVERIFY(VREL_GetDeviceConfig(serial.toLatin1().constData(), 1, nullptr, 0, &key, sizeof key) != 0);
        QVERIFY(key.dwDataLength > 0);
    }
    QVERIFY(r.waitFor([](const auto &ev) { return ev.size() >= 6; }, 10000));
}

void TestVrelDiscovery::stopWaitsForRunningCallback()
{
    const QString fleet = path(QStringLiteral("stop.json"));
    QVERIFY(generateFleet(fleet, 20));
    Agent agent;
    QVERIFY(agent.start(fleet));
    Recorder &r = Recorder::instance();
    r.clear();
    QCOMPARE(VREL_Start_V30(&Recorder::callback, 1, nullptr), 1);
    std::atomic<bool> released{false};
    r.gate.lock();
    QCOMPARE(VREL_SendInquiry(), 1);
    QTest::qWait(800); // a callback is now blocked at the gate, more are queued
    std::thread opener([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        released = true;
        r.gate.unlock();
    });
    QCOMPARE(VREL_Stop(), 1);
    QVERIFY(released.load()); // did not return before the blocked callback
    opener.join();
    const size_t after = r.events().size();
    QVERIFY(after >= 1);
    QTest::qWait(500);
    QCOMPARE(r.events().size(), after); // and none started afterwards
}

void TestVrelDiscovery::interfaceThatAppearsLaterIsServed()
{
    const QString fleet = path(QStringLiteral("late.json"));
    QVERIFY(generateFleet(fleet, 3, {QStringLiteral("--mac-seed"), QStringLiteral("9")}));
    Library lib;
    QVERIFY(lib.started());
    QCOMPARE(sh(QStringLiteral("ip link add late0 type veth peer name late1 && ip link set late0 up && ip link set late1 up")), 0);
    Agent agent;
    QVERIFY(agent.start(fleet, {QStringLiteral("--iface"), QStringLiteral("late0")}));
    // The library looks for new interfaces every two seconds; the agent's
    // hello on late0 reaches it once it has joined there.
    QTest::qWait(2500);
    QCOMPARE(VREL_SendInquiry(), 1);
    const bool found = Recorder::instance().waitFor([](const auto &ev) { return ev.size() >= 3; }, 5000);
    sh(QStringLiteral("ip link del late0"));
    QVERIFY(found);
}

namespace {
std::atomic<int> g_insideCalls{0};
std::atomic<int> g_insideStop{-1};
void VREL_CALL stopInside(const VREL_CALLBACK_RECORD *, void *)
{
    if (g_insideCalls++ == 0)
        g_insideStop = VREL_Stop();
}
} // namespace

void TestVrelDiscovery::stopFromInsideCallbackIsSafe()
{
    const QString fleet = path(QStringLiteral("inside.json"));
    QVERIFY(generateFleet(fleet, 20));
    Agent agent;
    QVERIFY(agent.start(fleet));
    QCOMPARE(VREL_Start_V30(&stopInside, 1, nullptr), 1);
    QCOMPARE(VREL_SendInquiry(), 1);
    QTRY_COMPARE(g_insideStop.load(), 1);
    QTest::qWait(1000);
    QCOMPARE(g_insideCalls.load(), 1); // no callback after the stop
    // And the library starts again normally.
    Library lib;
    QVERIFY(lib.started());
    QCOMPARE(VREL_SendInquiry(), 1);
    QVERIFY(Recorder::instance().waitFor([](const auto &ev) { return ev.size() >= 20; }, 10000));
}

VREL_NET_TEST_MAIN(TestVrelDiscovery)
#include "tst_vrel_discovery.moc"
