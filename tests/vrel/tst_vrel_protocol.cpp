// Protocol pieces without a network: framing, message parsers, inquiry
// rounds, sealing, the callback record, device rules and the state file.
#include <random>
#include <thread>

#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "CallbackQueue.h"
#include "Commands.h"
#include "DeviceRules.h"
#include "DeviceTable.h"
#include "FleetFile.h"
#include "InquiryPlanner.h"
#include "Net.h"
#include "RecordBuilder.h"
#include "Seal.h"
#include "Wire.h"

using namespace vrelp;
using vrelagent::DeviceState;

namespace {

DeviceInfo sampleInfo()
{
    DeviceInfo d;
    d.mac = {0x02, 0x5a, 1, 0, 0, 7};
    d.serial = "VR00000007";
    d.ipv4 = {192, 168, 1, 70};
    d.mask = {255, 255, 255, 0};
    d.gateway = {192, 168, 1, 1};
    ipv6FromText("fd00::7", d.ipv6.data());
    d.ipv6Prefix = 64;
    d.port = 8000;
    d.httpPort = 80;
    d.deviceType = 0x2001;
    d.channels = 4;
    d.description = "IPC-Bullet-4MP";
    d.softwareVersion = "4.2.1";
    d.dspVersion = "2.0.7";
    d.startTime = "2026-12-11 08:00:00";
    d.capabilities = 0x27;
    d.activated = true;
    d.publicKey.fill(0x42);
    return d;
}

QByteArray bytes(const std::vector<uint8_t> &v) { return QByteArray(reinterpret_cast<const char *>(v.data()), int(v.size())); }

DeviceState sampleDevice()
{
    DeviceState d;
    d.info = sampleInfo();
    d.password = "Admin12345";
    d.defaultPassword = "Default12345";
    d.securityCode = "SC-code";
    d.deviceKey = vrelagent::makeDeviceKey(d.info.serial);
    return d;
}

} // namespace

class TestVrelProtocol : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(cryptoInit()); }
    void framingRejectsMalformedDatagrams_data();
    void framingRejectsMalformedDatagrams();
    void deviceInfoRoundTripsAndRejectsBadFields_data();
    void deviceInfoRoundTripsAndRejectsBadFields();
    void repeatedRoundsAddressExactlyTheUnheard_data();
    void repeatedRoundsAddressExactlyTheUnheard();
    void commandsRoundTripSealed_data();
    void commandsRoundTripSealed();
    void recordIsFilledWithinWidths();
    void tableReportsFoundChangedAndExpired();
    void ruleDetails_data();
    void ruleDetails();
    void lockoutEndsAfterItsTime();
    void stateFileRoundTripsAndRefusesDamage_data();
    void stateFileRoundTripsAndRefusesDamage();
    void callbackQueueIsBoundedAndStoppableFromCallback();
};

void TestVrelProtocol::framingRejectsMalformedDatagrams_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<bool>("valid");
    const QByteArray head = QByteArray("VRLP\x01\x02\x00\x00\x00\x00\x00\x09", 12);
    QTest::newRow("header only") << head << true;
    QTest::newRow("one attribute") << head + QByteArray("\x02\x00\x02VR", 5) << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("short header") << head.left(11) << false;
    QTest::newRow("foreign magic") << QByteArray("XRLP") + head.mid(4) << false;
    QTest::newRow("other version") << head.left(4) + '\x02' + head.mid(5) << false;
    QTest::newRow("unknown type") << head.left(5) + '\x09' + head.mid(6) << false;
    QTest::newRow("flags set") << head.left(6) + QByteArray("\x00\x01", 2) + head.mid(8) << false;
    QTest::newRow("length past the end") << head + QByteArray("\x02\x00\x05VR", 5) << false;
    QTest::newRow("dangling tag") << head + QByteArray("\x02\x00", 2) << false;
    QTest::newRow("oversized") << head + QByteArray("\x02\x05\x7c", 3) + QByteArray(1404, 'x') << false;
}

void TestVrelProtocol::framingRejectsMalformedDatagrams()
{
    QFETCH(QByteArray, datagram);
    QFETCH(bool, valid);
    Reader r;
    QCOMPARE(r.parseDatagram(reinterpret_cast<const uint8_t *>(datagram.constData()), size_t(datagram.size())), valid);
}

void TestVrelProtocol::deviceInfoRoundTripsAndRejectsBadFields_data()
{
    QTest::addColumn<int>("damage");
    QTest::addColumn<bool>("valid");
    QTest::newRow("as sent") << 0 << true;
    QTest::newRow("serial of 48 bytes") << 1 << false;
    QTest::newRow("description with a zero byte") << 2 << false;
    QTest::newRow("MAC of five bytes") << 3 << false;
    QTest::newRow("DHCP state 2") << 4 << false;
    QTest::newRow("no hold time") << 5 << false;
    QTest::newRow("empty serial") << 6 << false;
}

void TestVrelProtocol::deviceInfoRoundTripsAndRejectsBadFields()
{
    QFETCH(int, damage);
    QFETCH(bool, valid);
    DeviceInfo d = sampleInfo();
    Writer w(MsgType::Info, 9);
    if (damage == 1)
        d.serial = std::string(48, 'S');
    if (damage == 2)
        d.description = std::string("IPC\0X", 5);
    if (damage == 6)
        d.serial.clear();
    if (damage == 3) {
        w.bytes(TagMac, d.mac.data(), 5);
    }
    if (damage == 4)
        w.u8(TagDhcp, 2); // the first of a tag counts
    writeDeviceInfo(w, d);
    w.u8(TagReason, 1);
    if (damage != 5)
        w.u16(TagHoldSeconds, 32);
    Reader r;
    QVERIFY(r.parseDatagram(w.data().data(), w.data().size()));
    InfoMessage msg;
    QCOMPARE(readInfoMessage(r, msg), valid);
    if (valid) {
        QVERIFY(msg.info == d);
        QCOMPARE(int(msg.holdSeconds), 32);
    }
}

void TestVrelProtocol::repeatedRoundsAddressExactlyTheUnheard_data()
{
    QTest::addColumn<int>("fleet");
    QTest::addColumn<int>("heard");
    QTest::newRow("few") << 30 << 20;
    QTest::newRow("one bucket full") << 300 << 299;
    QTest::newRow("large fleet") << 5000 << 4200;
}

void TestVrelProtocol::repeatedRoundsAddressExactlyTheUnheard()
{
    QFETCH(int, fleet);
    QFETCH(int, heard);
    std::mt19937 rng{uint32_t(fleet)};
    std::vector<Mac> all;
    for (int i = 0; i < fleet; ++i)
        all.push_back({0x02, uint8_t(rng()), uint8_t(rng()), uint8_t(i >> 16), uint8_t(i >> 8), uint8_t(i)});
    const std::vector<Mac> heardList(all.begin(), all.begin() + heard);
    const auto datagrams = planInquiry(77, 1, 300, heardList);
    std::vector<InquiryMessage> inquiries;
    for (const auto &d : datagrams) {
        QVERIFY(d.size() <= kMaxDatagram);
        Reader r;
        QVERIFY(r.parseDatagram(d.data(), d.size()));
        QCOMPARE(r.txid(), 77u);
        InquiryMessage m;
        QVERIFY(readInquiry(r, m));
        inquiries.push_back(m);
    }
    for (int i = 0; i < fleet; ++i) {
        int asked = 0;
        for (const InquiryMessage &m : inquiries)
            asked += inquiryAddresses(m, all[size_t(i)], "S") ? 1 : 0;
        // Heard devices keep quiet; every other one is asked exactly once.
        QCOMPARE(asked, i < heard ? 0 : 1);
    }
    // The first round asks everybody.
    Reader r0;
    const auto first = planInquiry(78, 0, 300, {});
    QCOMPARE(first.size(), size_t(1));
    QVERIFY(r0.parseDatagram(first[0].data(), first[0].size()));
    InquiryMessage m0;
    QVERIFY(readInquiry(r0, m0));
    QVERIFY(inquiryAddresses(m0, all[0], "S"));
}

void TestVrelProtocol::commandsRoundTripSealed_data()
{
    QTest::addColumn<int>("op");
    for (int op = 1; op <= 6; ++op)
        QTest::newRow(qPrintable(QStringLiteral("op %1").arg(op))) << op;
}

void TestVrelProtocol::commandsRoundTripSealed()
{
    QFETCH(int, op);
    CommandRequest c;
    c.txid = 0xabcdef01;
    c.op = Op(op);
    randomBytes(c.challenge.data(), c.challenge.size());
    c.mac = sampleInfo().mac;
    c.password = "Admin12345";
    c.newPassword = "Sixteen-Bytes-16";
    c.hasNewPassword = true;
    c.securityCode = "SC-code";
    c.deviceKey = {'<', 'k', '>'};
    c.net.ipv4 = {10, 0, 0, 9};
    c.net.mask = {255, 0, 0, 0};
    c.net.port = 8100;
    c.net.dhcp = true;
    const KeyPair device = makeKeyPair(), client = makeKeyPair(), stranger = makeKeyPair();
    const std::vector<uint8_t> plain = encodeCommand(c);
    QVERIFY(!plain.empty());
    std::vector<uint8_t> box = seal(plain, device.publicKey, client.secretKey);
    // The secrets are not visible in the sealed form.
    QVERIFY(!bytes(box).contains("Admin12345") && !bytes(box).contains("SC-code"));

    std::vector<uint8_t> opened;
    QVERIFY(open(box.data(), box.size(), client.publicKey, device.secretKey, opened));
    CommandRequest back;
    QVERIFY(decodeCommand(opened.data(), opened.size(), back));
    QCOMPARE(back.txid, c.txid);
    QCOMPARE(int(back.op), op);
    QVERIFY(back.challenge == c.challenge && back.mac == c.mac);
    if (c.op == Op::ModifyNet) {
        QCOMPARE(back.password, c.password);
        QVERIFY(back.net.ipv4 == c.net.ipv4 && back.net.port == 8100 && back.net.dhcp);
    }
    if (c.op == Op::Activate || c.op == Op::ResetWithCode || c.op == Op::ResetWithKey)
        QCOMPARE(back.newPassword, c.newPassword);
    if (c.op == Op::ResetWithKey)
        QVERIFY(back.deviceKey == c.deviceKey);

    // Anyone else's key, or one flipped bit, and it does not open.
    QVERIFY(!open(box.data(), box.size(), client.publicKey, stranger.secretKey, opened));
    box[box.size() / 2] ^= 1;
    QVERIFY(!open(box.data(), box.size(), client.publicKey, device.secretKey, opened));
    // A cut plaintext is refused, not half-read.
    if (plain.size() > 8)
        QVERIFY(!decodeCommand(plain.data(), plain.size() - 1, back));
}

void TestVrelProtocol::recordIsFilledWithinWidths()
{
    DeviceInfo d = sampleInfo();
    d.description = std::string(40, 'D'); // longer than its 24 bytes
    d.gateway = {};
    d.ipv6 = {};
    d.activated = false;
    VREL_CALLBACK_RECORD r;
    memset(&r, 0x7f, sizeof r);
    fillRecord(d, VREL_EVENT_CHANGED, r);
    QCOMPARE(QByteArray(r.szProtocol), QByteArray("VRLP/1"));
    QCOMPARE(QByteArray(r.szMac), QByteArray("02-5a-01-00-00-07"));
    QCOMPARE(QByteArray(r.szIPv4Address), QByteArray("192.168.1.70"));
    QCOMPARE(QByteArray(r.szDeviceDescription), QByteArray(23, 'D'));
    QCOMPARE(QByteArray(r.szIPv4Gateway), QByteArray());
    QCOMPARE(QByteArray(r.szIPv6Address), QByteArray("::"));
    QCOMPARE(r.nEvent, int(VREL_EVENT_CHANGED));
    QCOMPARE(r.nChannelNumber, 4);
    QCOMPARE(int(r.byExtended), 1);
    QCOMPARE(int(r.byActivation), 1);
    QCOMPARE(int(r.byCapability), 0x27);
    QCOMPARE(int(r.wHttpPort), 80);
    // Reserved areas are zero.
    for (uint8_t b : r.byReserved1)
        QCOMPARE(int(b), 0);
    for (uint8_t b : r.byReserved3)
        QCOMPARE(int(b), 0);
}

void TestVrelProtocol::tableReportsFoundChangedAndExpired()
{
    DeviceTable t;
    const auto t0 = Clock::now();
    DeviceInfo d = sampleInfo();
    QVERIFY(t.update(d, 5, 1, t0) == DeviceTable::Change::Found);
    QVERIFY(t.update(d, 5, 1, t0 + std::chrono::seconds(3)) == DeviceTable::Change::None);
    d.ipv4[3] = 99;
    QVERIFY(t.update(d, 5, 1, t0 + std::chrono::seconds(4)) == DeviceTable::Change::Changed);
    // Someone else claiming the MAC with another key is not heard.
    DeviceInfo impostor = d;
    impostor.publicKey.fill(0x66);
    impostor.ipv4[3] = 66;
    QVERIFY(t.update(impostor, 5, 1, t0 + std::chrono::seconds(7)) == DeviceTable::Change::Rejected);
    QVERIFY(t.expire(t0 + std::chrono::seconds(8)).empty()); // heard at 4 s, holds 5 s
    const auto gone = t.expire(t0 + std::chrono::seconds(10));
    QCOMPARE(gone.size(), size_t(1));
    QVERIFY(gone[0] == d);
    QCOMPARE(t.size(), size_t(0));
}

void TestVrelProtocol::ruleDetails_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("status");
    QTest::newRow("port 0 keeps the port") << "port0" << int(Status::Ok);
    QTest::newRow("IPv6 fixed on this device") << "ipv6fixed" << int(Status::Ok);
    QTest::newRow("DHCP on a device without it") << "nodhcp" << int(Status::Refused);
    QTest::newRow("multicast address") << "multicast" << int(Status::BadArgument);
}

void TestVrelProtocol::ruleDetails()
{
    QFETCH(QString, change);
    QFETCH(int, status);
    DeviceState d = sampleDevice();
    CommandRequest req;
    req.op = Op::ModifyNet;
    req.password = "Admin12345";
    req.net.ipv4 = {10, 1, 1, 1};
    req.net.mask = {255, 255, 0, 0};
    ipv6FromText("fd99::1", req.net.ipv6.data());
    req.net.ipv6Prefix = 48;
    if (change == QLatin1String("ipv6fixed"))
        d.info.capabilities &= uint8_t(~VREL_CAP_IPV6_CHANGEABLE);
    if (change == QLatin1String("nodhcp")) {
        d.info.capabilities &= uint8_t(~VREL_CAP_DHCP);
        req.net.dhcp = true;
    }
    if (change == QLatin1String("multicast"))
        req.net.ipv4 = {224, 0, 0, 5};
    const DeviceInfo before = d.info;
    CommandResult res;
    const auto outcome = vrelagent::applyCommand(d, req, res, 0);
    QCOMPARE(int(outcome.status), status);
    if (status != int(Status::Ok)) {
        QVERIFY(d.info == before);
        QVERIFY(!outcome.stateChanged);
        return;
    }
    QVERIFY(outcome.addressChanged);
    QCOMPARE(int(d.info.port), 8000);
    QCOMPARE(int(d.info.httpPort), 80);
    QCOMPARE(d.info.ipv6 == before.ipv6, change == QLatin1String("ipv6fixed"));
}

void TestVrelProtocol::lockoutEndsAfterItsTime()
{
    DeviceState d = sampleDevice();
    CommandRequest req;
    req.op = Op::RestoreDefault;
    req.securityCode = "guess";
    CommandResult res;
    for (int i = 0; i < vrelagent::kMaxFailedAttempts; ++i)
        QCOMPARE(int(vrelagent::applyCommand(d, req, res, 1000).status), int(Status::WrongCode));
    req.securityCode = "SC-code";
    QCOMPARE(int(vrelagent::applyCommand(d, req, res, 1000 + vrelagent::kLockoutMs - 1).status), int(Status::Refused));
    QCOMPARE(int(vrelagent::applyCommand(d, req, res, 1000 + vrelagent::kLockoutMs).status), int(Status::Ok));
    QCOMPARE(d.password, d.defaultPassword);
}

void TestVrelProtocol::stateFileRoundTripsAndRefusesDamage_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");
    QTest::newRow("not JSON") << QByteArray("{\"devices\": [") << "not a state file";
    QTest::newRow("no devices") << QByteArray("{\"devices\": []}") << "no \"devices\"";
    QTest::newRow("bad MAC") << QByteArray("{\"devices\": [{\"serial\": \"A1\", \"mac\": \"zz-00-00-00-00-01\"}]}")
                             << "not a MAC";
    QTest::newRow("serial too long") << QByteArray("{\"devices\": [{\"serial\": \"" + QByteArray(48, 'S')
                                                   + "\", \"mac\": \"02-00-00-00-00-01\"}]}")
                                     << "too long";
    QTest::newRow("repeated MAC") << QByteArray("{\"devices\": [{\"serial\": \"A1\", \"mac\": \"02-00-00-00-00-01\"},"
                                                "{\"serial\": \"A2\", \"mac\": \"02-00-00-00-00-01\"}]}")
                                  << "repeats";
    QTest::newRow("port out of range") << QByteArray("{\"devices\": [{\"serial\": \"A1\", \"mac\": \"02-00-00-00-00-01\", "
                                                     "\"port\": 70000}]}")
                                       << "out of range";
}

void TestVrelProtocol::stateFileRoundTripsAndRefusesDamage()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("state.json")).toStdString();
    std::vector<DeviceState> devices{sampleDevice()};
    devices[0].identityKey = makeKeyPair().secretKey;
    devices[0].info.publicKey = publicFromSecret(devices[0].identityKey);
    std::string err;
    QVERIFY(vrelagent::FleetFile::save(path, devices, err));
    struct stat st;
    QCOMPARE(stat(path.c_str(), &st), 0);
    QCOMPARE(int(st.st_mode & 0777), 0600); // it holds secrets
    QVERIFY(!QFile::exists(QString::fromStdString(path + ".tmp")));
    std::vector<DeviceState> back;
    bool needsSave = true;
    QVERIFY(vrelagent::FleetFile::load(path, back, needsSave, err));
    QVERIFY(!needsSave);
    QCOMPARE(back.size(), size_t(1));
    QVERIFY(back[0].info == devices[0].info);
    QVERIFY(back[0].identityKey == devices[0].identityKey);
    QCOMPARE(back[0].password, devices[0].password);
    QCOMPARE(back[0].deviceKey, devices[0].deviceKey);

    QFile f(QString::fromStdString(path));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
    f.close();
    QVERIFY(!vrelagent::FleetFile::load(path, back, needsSave, err));
    QVERIFY2(QString::fromStdString(err).contains(error), err.c_str());
}

namespace {
std::atomic<int> g_calls{0};
vrelp::CallbackQueue *g_queue = nullptr;
void VREL_CALL stopFromInside(const VREL_CALLBACK_RECORD *, void *)
{
    ++g_calls;
    g_queue->stop();
}
} // namespace

void TestVrelProtocol::callbackQueueIsBoundedAndStoppableFromCallback()
{
    VREL_CALLBACK_RECORD rec{};
    {
        vrelp::CallbackQueue q(&stopFromInside, nullptr, 3);
        g_queue = &q;
        // Not started yet: fills up, then refuses.
        for (int i = 0; i < 3; ++i)
            QVERIFY(q.push(rec));
        QVERIFY(!q.push(rec));
        q.start();
        QTRY_COMPARE(g_calls.load(), 1); // the first callback stops it; no deadlock
        QTest::qWait(100);
        QCOMPARE(g_calls.load(), 1);
        QVERIFY(!q.push(rec));
    }
}

QTEST_GUILESS_MAIN(TestVrelProtocol)
#include "tst_vrel_protocol.moc"
