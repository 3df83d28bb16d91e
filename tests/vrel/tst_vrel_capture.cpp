// What an eavesdropper on the link sees while passwords are set and reset:
// the protocol's traffic, but none of the secrets.
#include <unistd.h>

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

VREL_NET_TEST_MAIN(TestVrelCapture)
#include "tst_vrel_capture.moc"
