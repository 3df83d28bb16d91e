// What an eavesdropper on the link sees while passwords are set and reset:
// the protocol's traffic, but none of the secrets.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

#include <QCoreApplication>
#include <QFile>
#include <QJsonObject>
#include <QTest>

#include "VrelTestSupport.h"

using namespace vreltest;

class TestVrelCapture : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void secretsNeverCrossTheWireInClear();
    void replayedCommandIsNotCarriedOutAgain();

private:
    QTemporaryDir m_dir;
};

void TestVrelCapture::initTestCase()
{
    VREL_REQUIRE_NAMESPACE();
    QVERIFY(m_dir.isValid());
    if (sh(QStringLiteral("command -v tcpdump")) != 0)
        QSKIP("tcpdump is not installed");
}

void TestVrelCapture::secretsNeverCrossTheWireInClear()
{
    const QString fleet = m_dir.filePath(QStringLiteral("fleet.json"));
    QVERIFY(generateFleet(fleet, 6));
    const QString pcap = m_dir.filePath(QStringLiteral("traffic.pcap"));
    QProcess dump;
    dump.setProcessChannelMode(QProcess::MergedChannels);
    dump.start(QStringLiteral("tcpdump"), {QStringLiteral("-i"), QStringLiteral("lo"), QStringLiteral("-U"),
                                           QStringLiteral("-Z"), QStringLiteral("root"), QStringLiteral("-s"), QStringLiteral("0"), QStringLiteral("-w"), pcap,
                                           QStringLiteral("udp")});
    QVERIFY(dump.waitForStarted());
    for (int i = 0; i < 50 && !dump.peek(4096).contains("listening"); ++i)
        dump.waitForReadyRead(100);
    QVERIFY(dump.peek(4096).contains("listening"));

    Agent agent;
    QVERIFY(agent.start(fleet));
    QList<QByteArray> secrets;
    {
        Library lib;
        QVERIFY(lib.started());
        QCOMPARE(VREL_SendInquiry(), 1);
        QVERIFY(Recorder::instance().waitFor([](const auto &ev) { return ev.size() >= 6; }, 10000));
        auto dev = [&](int n) { return fleetDevice(fleet, n); };
        auto sn = [&](int n) { return dev(n).value(QStringLiteral("serial")).toString().toLatin1(); };

        // Activation with a first password.
        secrets << "Activate-Secret-91";
        QCOMPARE(VREL_ActivateDevice(sn(2).constData(), secrets.last().constData()), 1);
        // Network change with the administrator password.
        secrets << "Admin12345";
        const NetParamBlock b = netBlock(QStringLiteral("10.3.3.3"), QStringLiteral("255.255.255.0"), QString());
        QCOMPARE(VREL_ModifyDeviceNetParam(dev(0).value(QStringLiteral("mac")).toString().toLatin1().constData(),
                                           secrets.last().constData(), &b), 1);
        // Default password restored with the security code.
        secrets << dev(1).value(QStringLiteral("securityCode")).toString().toLatin1()
                << dev(1).value(QStringLiteral("defaultPassword")).toString().toLatin1();
        QCOMPARE(VREL_ResetDefaultPasswd(sn(1).constData(), secrets.at(secrets.size() - 2).constData()), 1);
        // New password with the security code.
        ResetParamBlock rb;
        memset(&rb, 0, sizeof rb);
        const QByteArray code3 = dev(3).value(QStringLiteral("securityCode")).toString().toLatin1();
        secrets << code3 << "Reset-Secret-77";
        strcpy(rb.szSecurityCode, code3.constData());
        strcpy(rb.szNewPassword, "Reset-Secret-77");
        QCOMPARE(VREL_ResetPasswd(sn(3).constData(), &rb), 1);
        // Key export and a key file reset with a new password.
        DeviceKeyBuffer key;
        QVERIFY(VREL_GetDeviceConfig(sn(5).constData(), 1, nullptr, 0, &key, sizeof key) != 0);
        const QByteArray keyBytes(reinterpret_cast<const char *>(key.byData), int(key.dwDataLength));
        secrets << keyBytes;
        // The random part of the key alone must not show either.
        secrets << keyBytes.mid(keyBytes.indexOf('>') + 1, 44);
        const QString keyPath = m_dir.filePath(QStringLiteral("DeviceKey.xml"));
        QFile f(keyPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(keyBytes);
        f.close();
        ResetParamBlock kb;
        memset(&kb, 0, sizeof kb);
        strcpy(kb.szKeyFilePath, keyPath.toLocal8Bit().constData());
        strcpy(kb.szNewPassword, "KeyFile-Secret-5");
        secrets << "KeyFile-Secret-5";
        QCOMPARE(VREL_ResetPasswd(sn(5).constData(), &kb), 1);
    }
    QVERIFY(agent.stop());
    // Let tcpdump write out what it has received.
    QTest::qWait(1500);
    dump.terminate();
    QVERIFY(dump.waitForFinished(5000));

    QFile capture(pcap);
    QVERIFY(capture.open(QIODevice::ReadOnly));
    const QByteArray bytes = capture.readAll();
    // The capture did see the exchange: headers and serial numbers are public.
    QVERIFY2(bytes.count("VRLP") > 20, dump.readAll().constData());
    QVERIFY(bytes.contains(fleetDevice(fleet, 5).value(QStringLiteral("serial")).toString().toLatin1()));
    for (const QByteArray &s : std::as_const(secrets)) {
        QVERIFY(s.size() >= 8);
        QVERIFY2(!bytes.contains(s), "a secret crossed the wire in clear");
        QVERIFY2(!bytes.contains(s.toBase64()), "a secret crossed the wire in base64");
    }
}

namespace {

// Listens to what clients send to devices, as an eavesdropper would.
class Listener {
public:
    Listener()
    {
        m_fd = socket(AF_INET, SOCK_DGRAM, 0);
        const int one = 1;
        setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        setsockopt(m_fd, SOL_SOCKET, SO_REUSEPORT, &one, sizeof one);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(41794);
        inet_pton(AF_INET, "224.0.0.199", &a.sin_addr);
        bind(m_fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
        ip_mreqn m{};
        m.imr_multiaddr = a.sin_addr;
        m.imr_ifindex = 1;
        setsockopt(m_fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m);
        timeval tv{0, 200000};
        setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }
    ~Listener() { close(m_fd); }
    // Every Command datagram received so far.
    QList<QByteArray> commands()
    {
        QList<QByteArray> out;
        char buf[2048];
        for (;;) {
            const ssize_t n = recv(m_fd, buf, sizeof buf, MSG_DONTWAIT);
            if (n < 0)
                break;
            if (n > 12 && memcmp(buf, "VRLP", 4) == 0 && buf[5] == 6)
                out << QByteArray(buf, int(n));
        }
        return out;
    }
    void replay(const QByteArray &d)
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(41794);
        inet_pton(AF_INET, "224.0.0.199", &to.sin_addr);
        in_addr lo{};
        lo.s_addr = htonl(INADDR_LOOPBACK);
        setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_IF, &lo, sizeof lo);
        sendto(m_fd, d.constData(), size_t(d.size()), 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
    }

private:
    int m_fd = -1;
};

} // namespace

void TestVrelCapture::replayedCommandIsNotCarriedOutAgain()
{
    const QString fleet = m_dir.filePath(QStringLiteral("replay.json"));
    QVERIFY(generateFleet(fleet, 3, {QStringLiteral("--activation"), QStringLiteral("all")}));
    const QByteArray mac = fleetDevice(fleet, 0).value(QStringLiteral("mac")).toString().toLatin1();
    Listener ear;
    auto agent = std::make_unique<Agent>();
    QVERIFY(agent->start(fleet));
    Library lib;
    QVERIFY(lib.started());

    const NetParamBlock first = netBlock(QStringLiteral("10.1.1.1"), QStringLiteral("255.255.255.0"), QString());
    QCOMPARE(VREL_ModifyDeviceNetParam(mac.constData(), "Admin12345", &first), 1);
    const QList<QByteArray> captured = ear.commands();
    QVERIFY(!captured.isEmpty());
    const NetParamBlock second = netBlock(QStringLiteral("10.2.2.2"), QStringLiteral("255.255.255.0"), QString());
    QCOMPARE(VREL_ModifyDeviceNetParam(mac.constData(), "Admin12345", &second), 1);
    auto address = [&] { return fleetDevice(fleet, 0).value(QStringLiteral("ipv4")).toString(); };
    QCOMPARE(address(), QStringLiteral("10.2.2.2"));

    // Replayed to the same agent: it only repeats its sealed answer.
    for (const QByteArray &d : captured)
        ear.replay(d);
    QTest::qWait(500);
    QCOMPARE(address(), QStringLiteral("10.2.2.2"));

    // Replayed after a restart, with no answer left to repeat: the
    // challenge inside is no longer valid.
    QVERIFY(agent->stop());
    agent = std::make_unique<Agent>();
    QVERIFY(agent->start(fleet));
    for (const QByteArray &d : captured)
        ear.replay(d);
    QTest::qWait(500);
    QCOMPARE(address(), QStringLiteral("10.2.2.2"));
}

VREL_NET_TEST_MAIN(TestVrelCapture)
#include "tst_vrel_capture.moc"
