// The library and the agent on a bad network: packet loss, an agent killed
// in the middle of a command, and datagrams that are not what they claim.
#include <random>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QTest>

#include "VrelTestSupport.h"

using namespace vreltest;

namespace {

constexpr int kBoundMs = 3000; // every call returns within this, whatever the network does

const char kLossRule[] = "nft add table inet vrelloss && "
                         "nft add chain inet vrelloss in '{ type filter hook input priority 0; }' && "
                         "nft add rule inet vrelloss in meta l4proto udp numgen random mod 10 '<' 3 drop";

// Sends raw datagrams to the protocol's group from outside the library.
class RawSender {
public:
    RawSender()
    {
        m_fd = socket(AF_INET, SOCK_DGRAM, 0);
        in_addr lo{};
        lo.s_addr = htonl(INADDR_LOOPBACK);
        setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_IF, &lo, sizeof lo);
    }
    ~RawSender() { close(m_fd); }
    void send(const QByteArray &d, uint16_t port)
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        inet_pton(AF_INET, "224.0.0.199", &to.sin_addr);
        sendto(m_fd, d.constData(), size_t(d.size()), 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
    }

private:
    int m_fd = -1;
};

QByteArray header(uint8_t type, uint32_t txid)
{
    QByteArray h("VRLP", 4);
    h.append(char(1)).append(char(type)).append(2, '\0');
    for (int s = 24; s >= 0; s -= 8)
        h.append(char(txid >> s));
    return h;
}

} // namespace

class TestVrelRobustness : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyCommandSucceedsAtThirtyPercentLoss();
    void killedAgentFailsTheCallWithinBoundAndKeepsItsFile();
    void killAtAnyMomentNeverDamagesTheStateFile();
    void malformedDatagramsAreDroppedWithoutHarm();

private:
    QTemporaryDir m_dir;
};

void TestVrelRobustness::initTestCase()
{
    VREL_REQUIRE_NAMESPACE();
    QVERIFY(m_dir.isValid());
}

void TestVrelRobustness::everyCommandSucceedsAtThirtyPercentLoss()
{
    const QString fleet = m_dir.filePath(QStringLiteral("lossy.json"));
    QVERIFY(generateFleet(fleet, 50));
    QCOMPARE(sh(QString::fromLatin1(kLossRule)), 0);
    struct Cleanup {
        ~Cleanup() { sh(QStringLiteral("nft delete table inet vrelloss")); }
    } cleanup;

    Agent agent;
    QVERIFY(agent.start(fleet));
    Library lib;
    QVERIFY(lib.started());
    Recorder &r = Recorder::instance();
    // Inquiry rounds ask again for what was lost; a user would press Refresh.
    bool all = false;
    for (int press = 0; press < 3 && !all; ++press) {
        QCOMPARE(VREL_SendInquiry(), 1);
        all = r.waitFor([](const auto &ev) { return ev.size() >= 50; }, 4000);
    }
    QVERIFY2(all, qPrintable(QString::number(r.present())));

    auto sn = [&](int n) { return fleetDevice(fleet, n).value(QStringLiteral("serial")).toString().toLatin1(); };
    auto field = [&](int n, const char *k) { return fleetDevice(fleet, n).value(QLatin1String(k)); };
    for (int round = 0; round < 3; ++round) {
        const int base = round * 12;
        // Activation of a device that is not activated yet (n % 3 == 2).
        QVERIFY2(VREL_ActivateDevice(sn(base + 2).constData(), "Lossy12345") != 0,
                 qPrintable(QString::number(VREL_GetLastError())));
        // Network parameters.
        const NetParamBlock b = netBlock(QStringLiteral("10.9.%1.7").arg(round), QStringLiteral("255.255.255.0"),
                                         QStringLiteral("10.9.%1.1").arg(round));
        QVERIFY2(VREL_ModifyDeviceNetParam(field(base, "mac").toString().toLatin1().constData(), "Admin12345", &b) == 1,
                 qPrintable(QString::number(VREL_GetLastError())));
        // Default password with the security code.
        QVERIFY(VREL_ResetDefaultPasswd(sn(base + 1).constData(), field(base + 1, "securityCode").toString().toLatin1().constData()) == 1);
        // New password with the security code.
        ResetParamBlock rb;
        memset(&rb, 0, sizeof rb);
        strcpy(rb.szSecurityCode, field(base + 3, "securityCode").toString().toLatin1().constData());
        strcpy(rb.szNewPassword, "Code12345678");
        QVERIFY(VREL_ResetPasswd(sn(base + 3).constData(), &rb) == 1);
        // Key export and key file reset.
        DeviceKeyBuffer key;
        QVERIFY(VREL_GetDeviceConfig(sn(base + 5).constData(), 1, nullptr, 0, &key, sizeof key) != 0);
        const QString keyPath = m_dir.filePath(QStringLiteral("lossy-key-%1.xml").arg(round));
        QFile f(keyPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char *>(key.byData), key.dwDataLength);
        f.close();
        ResetParamBlock kb;
        memset(&kb, 0, sizeof kb);
        strcpy(kb.szKeyFilePath, keyPath.toLocal8Bit().constData());
        strcpy(kb.szNewPassword, "KeyLossy1234");
        QVERIFY(VREL_ResetPasswd(sn(base + 5).constData(), &kb) == 1);

        QCOMPARE(field(base + 2, "activated").toBool(), true);
        QCOMPARE(field(base, "ipv4").toString(), QStringLiteral("10.9.%1.7").arg(round));
        QCOMPARE(field(base + 1, "password").toString(), field(base + 1, "defaultPassword").toString());
        QCOMPARE(field(base + 3, "password").toString(), QStringLiteral("Code12345678"));
        QCOMPARE(field(base + 5, "password").toString(), QStringLiteral("KeyLossy1234"));
    }
    // Retransmitted requests were carried out once: a key file reset that
    // ran twice would have failed the second time.
}

void TestVrelRobustness::killedAgentFailsTheCallWithinBoundAndKeepsItsFile()
{
    const QString fleet = m_dir.filePath(QStringLiteral("killed.json"));
    QVERIFY(generateFleet(fleet, 6));
    QFile original(fleet);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    Agent agent;
    QVERIFY(agent.start(fleet, {QStringLiteral("--pause-before-save"), QStringLiteral("1500")}));
    Library lib;
    QVERIFY(lib.started());
    const QByteArray serial = fleetDevice(fleet, 2).value(QStringLiteral("serial")).toString().toLatin1();
    std::thread killer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        ::kill(pid_t(agent.pid()), SIGKILL);
    });
    QElapsedTimer t;
    t.start();
    const int rc = VREL_ActivateDevice(serial.constData(), "Killed12345");
    const qint64 elapsed = t.elapsed();
    killer.join();
    QCOMPARE(rc, 0);
    QCOMPARE(VREL_GetLastError(), int(VREL_ERR_TIMEOUT));
    QVERIFY2(elapsed < kBoundMs, qPrintable(QString::number(elapsed)));
    // Killed before the change was stored: the file is the old one, whole.
    QFile after(fleet);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);

    // Nobody answers at all: still within the bound.
    t.restart();
    QCOMPARE(VREL_ActivateDevice(serial.constData(), "Killed12345"), 0);
    QVERIFY(t.elapsed() < kBoundMs);
}

void TestVrelRobustness::killAtAnyMomentNeverDamagesTheStateFile()
{
    const QString fleet = m_dir.filePath(QStringLiteral("crash.json"));
    QVERIFY(generateFleet(fleet, 200, {QStringLiteral("--activation"), QStringLiteral("all")}));
    Library lib;
    QVERIFY(lib.started());
    const QByteArray mac = fleetDevice(fleet, 0).value(QStringLiteral("mac")).toString().toLatin1();
    std::mt19937 rng(20261211);
    int confirmed = 0;
    for (int i = 0; i < 15; ++i) {
        Agent agent;
        QVERIFY(agent.start(fleet));
        const QString address = QStringLiteral("10.50.0.%1").arg(i + 1);
        std::atomic<int> rc{-1};
        std::thread caller([&] {
            const NetParamBlock b = netBlock(address, QStringLiteral("255.255.255.0"), QString());
            rc = VREL_ModifyDeviceNetParam(mac.constData(), "Admin12345", &b);
        });
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 20000));
        agent.kill();
        caller.join();
        QVERIFY2(fleetIntact(fleet, 200), qPrintable(QStringLiteral("damaged after kill %1").arg(i)));
        // A confirmed change is never lost.
        if (rc == 1) {
            ++confirmed;
            QCOMPARE(fleetDevice(fleet, 0).value(QStringLiteral("ipv4")).toString(), address);
        }
    }
    qInfo("%d of 15 changes were confirmed before the kill", confirmed);
}

void TestVrelRobustness::malformedDatagramsAreDroppedWithoutHarm()
{
    const QString fleet = m_dir.filePath(QStringLiteral("noise.json"));
    QVERIFY(generateFleet(fleet, 5));
    Agent agent;
    QVERIFY(agent.start(fleet));
    Library lib;
    QVERIFY(lib.started());
    QCOMPARE(VREL_SendInquiry(), 1);
    Recorder &r = Recorder::instance();
    QVERIFY(r.waitFor([](const auto &ev) { return ev.size() >= 5; }, 10000));
    const size_t before = r.events().size();

    RawSender raw;
    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        QByteArray d;
        switch (i % 6) {
        case 0: // random bytes
            d.resize(int(rng() % 1500));
            for (char &c : d)
                c = char(rng());
            break;
        case 1: // a header and a length running past the end
            d = header(uint8_t(1 + rng() % 7), rng()) + QByteArray("\x01\xff\xff", 3);
            break;
        case 2: // truncated header
            d = header(2, rng()).left(int(rng() % 12));
            break;
        case 3: // oversized
            d = header(2, rng()) + QByteArray(9000, 'x');
            break;
        case 4: // a command for a device, sealed to nobody
            d = header(6, rng()) + QByteArray("\x01\x00\x06", 3)
                + QByteArray::fromHex(fleetDevice(fleet, 0).value(QStringLiteral("mac")).toString().remove(QLatin1Char('-')).toLatin1())
                + QByteArray("\x3d\x00\x20", 3) + QByteArray(32, 'k') + QByteArray("\x3e\x00\x40", 3) + QByteArray(64, 's');
            break;
        default: // an inquiry with a broken known list
            d = header(1, rng()) + QByteArray("\x28\x00\x04\x00\x00\x00\x10\x29\x00\x02\x00\x01\x2a\x00\x02\x00\x00", 17);
            break;
        }
        raw.send(d, uint16_t(41794 + i % 2));
    }
    QTest::qWait(500);
    // Nothing was reported for the noise, and both ends still work.
    QCOMPARE(r.events().size(), before);
    const QByteArray serial = fleetDevice(fleet, 2).value(QStringLiteral("serial")).toString().toLatin1();
    QCOMPARE(VREL_ActivateDevice(serial.constData(), "Noise12345"), 1);
    QVERIFY(agent.stop()); // still alive and exits cleanly
}

VREL_NET_TEST_MAIN(TestVrelRobustness)
#include "tst_vrel_robustness.moc"
