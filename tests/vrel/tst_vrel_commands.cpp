// Every device command through the real library and agent: success and
// refusal, the error codes, and what the device stored.
#include <memory>

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonObject>
#include <QTest>

#include "VrelTestSupport.h"

using namespace vreltest;

namespace {

// Generated fleet: device n is activated unless n % 3 == 2; odd devices reset
// by key file with a new password, even ones by key file alone.
constexpr int kFleetSize = 12;
const char kPassword[] = "Admin12345";

ResetParamBlock resetBlock(const QByteArray &code, const QByteArray &keyPath, const QByteArray &newPassword)
{
    ResetParamBlock b;
    memset(&b, 0, sizeof b);
    memcpy(b.szSecurityCode, code.constData(), size_t(qMin<qsizetype>(code.size(), 255)));
    memcpy(b.szKeyFilePath, keyPath.constData(), size_t(qMin<qsizetype>(keyPath.size(), 259)));
    memcpy(b.szNewPassword, newPassword.constData(), size_t(qMin<qsizetype>(newPassword.size(), 16)));
    return b;
}

} // namespace

class TestVrelCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void modifyNetParam_data();
    void modifyNetParam();
    void activation_data();
    void activation();
    void restoreAndResetWithCode_data();
    void restoreAndResetWithCode();
    void keyFileWorksOnce();
    void keyFileRules_data();
    void keyFileRules();
    void getDeviceConfigArguments_data();
    void getDeviceConfigArguments();
    void repeatedWrongSecretsLockTheDevice();
    void callsFailCleanlyWhenNotStarted();

private:
    QString serial(int n) const { return device(n).value(QStringLiteral("serial")).toString(); }
    QByteArray serialBytes(int n) const { return serial(n).toLatin1(); }
    QJsonObject device(int n) const { return fleetDevice(m_fleet, n); }

    QTemporaryDir m_dir;
    QString m_fleet;
    std::unique_ptr<Agent> m_agent;
    std::unique_ptr<Library> m_lib;
};

void TestVrelCommands::initTestCase()
{
    VREL_REQUIRE_NAMESPACE();
    m_fleet = m_dir.filePath(QStringLiteral("fleet.json"));
    QVERIFY(generateFleet(m_fleet, kFleetSize));
    m_agent = std::make_unique<Agent>();
    QVERIFY(m_agent->start(m_fleet, {QStringLiteral("--verbose")}));
    m_lib = std::make_unique<Library>();
    QVERIFY(m_lib->started());
}

void TestVrelCommands::cleanupTestCase()
{
    m_lib.reset();
    if (m_agent) {
        QVERIFY(m_agent->stop());
        // The agent's lines name devices and outcomes, never a secret.
        const QString out = m_agent->output();
        QVERIFY(!out.contains(QLatin1String(kPassword)));
        QVERIFY(!out.contains(QLatin1String("SC")));
    }
}

void TestVrelCommands::modifyNetParam_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("mac");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("stored");

    QTest::newRow("right password") << 0 << QByteArray() << QByteArray(kPassword) << "255.255.0.0" << 1
                                    << int(VREL_ERR_NONE) << true;
    QTest::newRow("wrong password") << 1 << QByteArray() << QByteArray("Admin12346") << "255.255.0.0" << 0
                                    << int(VREL_ERR_WRONG_PASSWORD) << false;
    QTest::newRow("empty password") << 1 << QByteArray() << QByteArray() << "255.255.0.0" << 0
                                    << int(VREL_ERR_WRONG_PASSWORD) << false;
    QTest::newRow("not activated") << 2 << QByteArray() << QByteArray(kPassword) << "255.255.0.0" << 0
                                   << int(VREL_ERR_REFUSED) << false;
    QTest::newRow("mask with a hole") << 3 << QByteArray() << QByteArray(kPassword) << "255.0.255.0" << 0
                                      << int(VREL_ERR_BAD_ARGUMENT) << false;
    QTest::newRow("MAC in colon form") << 3 << QByteArray("colon") << QByteArray(kPassword) << "255.255.255.0" << 1
                                       << int(VREL_ERR_NONE) << true;
    QTest::newRow("unknown MAC") << -1 << QByteArray("02-00-00-00-00-99") << QByteArray(kPassword)
                                 << "255.255.0.0" << 0 << int(VREL_ERR_NOT_FOUND) << false;
    QTest::newRow("malformed MAC") << -1 << QByteArray("02-00-00-00-00") << QByteArray(kPassword) << "255.255.0.0"
                                   << 0 << int(VREL_ERR_BAD_ARGUMENT) << false;
}

void TestVrelCommands::modifyNetParam()
{
    QFETCH(int, index);
    QFETCH(QByteArray, mac);
    QFETCH(QByteArray, password);
    QFETCH(QString, mask);
    QFETCH(int, result);
    QFETCH(int, error);
    QFETCH(bool, stored);

    const QString before = index >= 0 ? device(index).value(QStringLiteral("ipv4")).toString() : QString();
    if (index >= 0 && mac.isEmpty())
        mac = device(index).value(QStringLiteral("mac")).toString().toLatin1();
    else if (mac == "colon")
        mac = device(index).value(QStringLiteral("mac")).toString().replace(QLatin1Char('-'), QLatin1Char(':')).toUpper().toLatin1();
    const QString address = QStringLiteral("172.16.9.%1").arg(index + 10);
    const NetParamBlock b = netBlock(address, mask, QStringLiteral("172.16.0.1"), 8200, 8081, true);
    QCOMPARE(VREL_ModifyDeviceNetParam(mac.constData(), password.constData(), &b), result);
    QCOMPARE(VREL_GetLastError(), error);
    if (index >= 0) {
        const QJsonObject now = device(index);
        QCOMPARE(now.value(QStringLiteral("ipv4")).toString(), stored ? address : before);
        if (stored) {
            QCOMPARE(now.value(QStringLiteral("mask")).toString(), mask);
            QCOMPARE(now.value(QStringLiteral("port")).toInt(), 8200);
            QCOMPARE(now.value(QStringLiteral("httpPort")).toInt(), 8081);
            QCOMPARE(now.value(QStringLiteral("dhcp")).toBool(), true);
        }
    }
}

void TestVrelCommands::activation_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("error");

    QTest::newRow("not activated yet") << 5 << QByteArray("First12345") << 1 << int(VREL_ERR_NONE);
    QTest::newRow("the same device again") << 5 << QByteArray("Second12345") << 0 << int(VREL_ERR_REFUSED);
    QTest::newRow("activated at the factory") << 0 << QByteArray("Other12345") << 0 << int(VREL_ERR_REFUSED);
    QTest::newRow("empty password") << 8 << QByteArray() << 0 << int(VREL_ERR_BAD_ARGUMENT);
    QTest::newRow("unknown serial") << -1 << QByteArray("First12345") << 0 << int(VREL_ERR_NOT_FOUND);
}

void TestVrelCommands::activation()
{
    QFETCH(int, index);
    QFETCH(QByteArray, password);
    QFETCH(int, result);
    QFETCH(int, error);
    const QByteArray sn = index >= 0 ? serialBytes(index) : QByteArray("NO-SUCH-DEVICE");
    const QJsonObject before = index >= 0 ? device(index) : QJsonObject();
    QVERIFY(VREL_ActivateDevice(sn.constData(), password.constData()) != 0 ? result == 1 : result == 0);
    QCOMPARE(VREL_GetLastError(), error);
    if (index >= 0) {
        const QJsonObject after = device(index);
        QCOMPARE(after.value(QStringLiteral("activated")).toBool(), true == (result == 1) || before.value(QStringLiteral("activated")).toBool());
        QCOMPARE(after.value(QStringLiteral("password")).toString(),
                 result == 1 ? QString::fromLatin1(password) : before.value(QStringLiteral("password")).toString());
    }
}

void TestVrelCommands::restoreAndResetWithCode_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("rightCode");
    QTest::addColumn<QByteArray>("newPassword"); // empty: restore the default
    QTest::addColumn<bool>("viaResetBlock");
    QTest::addColumn<int>("error");

    QTest::newRow("restore, right code") << 1 << true << QByteArray() << false << int(VREL_ERR_NONE);
    QTest::newRow("restore, wrong code") << 3 << false << QByteArray() << false << int(VREL_ERR_WRONG_CODE);
    QTest::newRow("reset, right code") << 4 << true << QByteArray("Reset12345") << true << int(VREL_ERR_NONE);
    QTest::newRow("reset, wrong code") << 6 << false << QByteArray("Reset12345") << true << int(VREL_ERR_WRONG_CODE);
    QTest::newRow("reset block, code only") << 9 << true << QByteArray() << true << int(VREL_ERR_NONE);
    QTest::newRow("sixteen bytes without a zero") << 10 << true << QByteArray("Sixteen-Bytes-16") << true
                                                  << int(VREL_ERR_NONE);
}

void TestVrelCommands::restoreAndResetWithCode()
{
    QFETCH(int, index);
    QFETCH(bool, rightCode);
    QFETCH(QByteArray, newPassword);
    QFETCH(bool, viaResetBlock);
    QFETCH(int, error);
    const QJsonObject before = device(index);
    const QByteArray code = rightCode ? before.value(QStringLiteral("securityCode")).toString().toLatin1()
                                      : QByteArray("SC-not-the-code");
    int rc;
    if (viaResetBlock) {
        const ResetParamBlock b = resetBlock(code, {}, newPassword);
        rc = VREL_ResetPasswd(serialBytes(index).constData(), &b);
    } else {
        rc = VREL_ResetDefaultPasswd(serialBytes(index).constData(), code.constData());
    }
    QCOMPARE(rc, error == VREL_ERR_NONE ? 1 : 0);
    QCOMPARE(VREL_GetLastError(), error);
    const QString expected = error != VREL_ERR_NONE ? before.value(QStringLiteral("password")).toString()
        : newPassword.isEmpty()                     ? before.value(QStringLiteral("defaultPassword")).toString()
                                                    : QString::fromLatin1(newPassword);
    QCOMPARE(device(index).value(QStringLiteral("password")).toString(), expected);
}

void TestVrelCommands::keyFileWorksOnce()
{
    const int index = 7; // odd: key file with a new password
    DeviceKeyBuffer key;
    memset(&key, 0xEE, sizeof key);
    QVERIFY(VREL_GetDeviceConfig(serialBytes(index).constData(), 1, nullptr, 0, &key, sizeof key) != 0);
    QVERIFY(key.dwDataLength > 0 && key.dwDataLength <= 256);
    const QByteArray keyBytes(reinterpret_cast<const char *>(key.byData), int(key.dwDataLength));
    QCOMPARE(keyBytes, device(index).value(QStringLiteral("deviceKey")).toString().toLatin1());
    const QString keyPath = m_dir.filePath(QStringLiteral("DeviceKey.xml"));
    QFile f(keyPath);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(keyBytes);
    f.close();

    const ResetParamBlock b = resetBlock({}, keyPath.toLocal8Bit(), "KeyReset1234");
    QCOMPARE(VREL_ResetPasswd(serialBytes(index).constData(), &b), 1);
    QCOMPARE(device(index).value(QStringLiteral("password")).toString(), QStringLiteral("KeyReset1234"));
    // Used up: the device has a new key now.
    QVERIFY(device(index).value(QStringLiteral("deviceKey")).toString().toLatin1() != keyBytes);
    const ResetParamBlock again = resetBlock({}, keyPath.toLocal8Bit(), "Again123456");
    QCOMPARE(VREL_ResetPasswd(serialBytes(index).constData(), &again), 0);
    QCOMPARE(VREL_GetLastError(), int(VREL_ERR_BAD_KEY_FILE));
    QCOMPARE(device(index).value(QStringLiteral("password")).toString(), QStringLiteral("KeyReset1234"));
}

void TestVrelCommands::keyFileRules_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("file"); // "key": the device's key, "other": someone else's, "missing", "empty", "huge"
    QTest::addColumn<QByteArray>("newPassword");
    QTest::addColumn<int>("error");

    QTest::newRow("key alone restores the default") << 0 << "key" << QByteArray() << int(VREL_ERR_NONE);
    QTest::newRow("new password where only the key is allowed") << 4 << "key" << QByteArray("Pass12345678")
                                                                << int(VREL_ERR_REFUSED);
    QTest::newRow("another device's key") << 11 << "other" << QByteArray("Pass12345678") << int(VREL_ERR_BAD_KEY_FILE);
    QTest::newRow("missing file") << 11 << "missing" << QByteArray("Pass12345678") << int(VREL_ERR_BAD_KEY_FILE);
    QTest::newRow("empty file") << 11 << "empty" << QByteArray("Pass12345678") << int(VREL_ERR_BAD_KEY_FILE);
    QTest::newRow("file larger than any key") << 11 << "huge" << QByteArray("Pass12345678") << int(VREL_ERR_BAD_KEY_FILE);
}

void TestVrelCommands::keyFileRules()
{
    QFETCH(int, index);
    QFETCH(QString, file);
    QFETCH(QByteArray, newPassword);
    QFETCH(int, error);
    const QString path = m_dir.filePath(QStringLiteral("rule-%1.xml").arg(QTest::currentDataTag()));
    QByteArray content;
    if (file == QLatin1String("key"))
        content = device(index).value(QStringLiteral("deviceKey")).toString().toLatin1();
    else if (file == QLatin1String("other"))
        content = device(index - 2).value(QStringLiteral("deviceKey")).toString().toLatin1();
    else if (file == QLatin1String("huge"))
        content = QByteArray(4096, 'k');
    if (file != QLatin1String("missing")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const QJsonObject before = device(index);
    const ResetParamBlock b = resetBlock({}, path.toLocal8Bit(), newPassword);
    QCOMPARE(VREL_ResetPasswd(serialBytes(index).constData(), &b), error == VREL_ERR_NONE ? 1 : 0);
    QCOMPARE(VREL_GetLastError(), error);
    QCOMPARE(device(index).value(QStringLiteral("password")).toString(),
             error == VREL_ERR_NONE ? before.value(QStringLiteral("defaultPassword")).toString()
                                    : before.value(QStringLiteral("password")).toString());
}

void TestVrelCommands::getDeviceConfigArguments_data()
{
    QTest::addColumn<QByteArray>("serial");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("error");

    QTest::newRow("buffer too small") << QByteArray("#0") << 1 << 259 << int(VREL_ERR_BUFFER_TOO_SMALL);
    QTest::newRow("other type") << QByteArray("#0") << 2 << 260 << int(VREL_ERR_BAD_ARGUMENT);
    QTest::newRow("unknown serial") << QByteArray("NO-SUCH-DEVICE") << 1 << 260 << int(VREL_ERR_NOT_FOUND);
    QTest::newRow("empty serial") << QByteArray("") << 1 << 260 << int(VREL_ERR_BAD_ARGUMENT);
    QTest::newRow("serial too long") << QByteArray(48, 'S') << 1 << 260 << int(VREL_ERR_BAD_ARGUMENT);
}

void TestVrelCommands::getDeviceConfigArguments()
{
    QFETCH(QByteArray, serial);
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(int, error);
    if (serial == "#0")
        serial = serialBytes(0);
    QByteArray out(300, '\x5a');
    QCOMPARE(VREL_GetDeviceConfig(serial.constData(), type, nullptr, 0, out.data(), size), 0);
    QCOMPARE(VREL_GetLastError(), error);
    QCOMPARE(out, QByteArray(300, '\x5a')); // untouched on failure
}

void TestVrelCommands::repeatedWrongSecretsLockTheDevice()
{
    const int index = 9; // its last secret was right: no failures counted
    const QByteArray code = device(index).value(QStringLiteral("securityCode")).toString().toLatin1();
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(VREL_ResetDefaultPasswd(serialBytes(index).constData(), "SC-guess"), 0);
        QCOMPARE(VREL_GetLastError(), int(VREL_ERR_WRONG_CODE));
    }
    // Locked for a while: even the right code is refused now.
    QCOMPARE(VREL_ResetDefaultPasswd(serialBytes(index).constData(), code.constData()), 0);
    QCOMPARE(VREL_GetLastError(), int(VREL_ERR_REFUSED));
}

void TestVrelCommands::callsFailCleanlyWhenNotStarted()
{
    m_lib.reset();
    const NetParamBlock b = netBlock(QStringLiteral("10.0.0.5"), QStringLiteral("255.0.0.0"), QString());
    QCOMPARE(VREL_ModifyDeviceNetParam(device(0).value(QStringLiteral("mac")).toString().toLatin1().constData(),
                                       kPassword, &b), 0);
    QCOMPARE(VREL_GetLastError(), int(VREL_ERR_NOT_STARTED));
    QCOMPARE(VREL_SendInquiry(), 0);
    QCOMPARE(VREL_GetLastError(), int(VREL_ERR_NOT_STARTED));
    QCOMPARE(VREL_Stop(), 0);
    QCOMPARE(VREL_Start_V30(nullptr, 1, nullptr), 0);
    QCOMPARE(VREL_GetLastError(), int(VREL_ERR_BAD_ARGUMENT));
    m_lib = std::make_unique<Library>();
    QVERIFY(m_lib->started());
    QCOMPARE(VREL_Start_V30(&Recorder::callback, 1, nullptr), 0); // already running
    QCOMPARE(VREL_GetLastError(), int(VREL_ERR_REFUSED));
}

VREL_NET_TEST_MAIN(TestVrelCommands)
#include "tst_vrel_commands.moc"
