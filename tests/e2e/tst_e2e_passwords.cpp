// Password commands from the device panel to simulated devices through the
// discovery library: restore with the security code, and the device key file
// exported, used once to reset the password, and refused the second time.
// Secrets are compared with QVERIFY only, so that a failure never prints one.
#include <memory>

#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "DeviceAgent.h"
#include "FleetFile.h"
#include "LivePanel.h"
#include "PrivateNetwork.h"
#include "discovery/QtVrelItemModel.h"
#include "widgets/CToolTip.h"

using C = QtVrelItemModel;
using namespace e2e;

namespace {

constexpr int kFoundMs = 20000;
constexpr int kCapsBase = 0x07;            // IPv6, IPv6 changeable, DHCP
constexpr int kCapsKeyFileAlone = 0x20;
constexpr int kCapsKeyFileWithPassword = 0x40;

QString Str(const QJsonObject &device, const char *key)
{
    return device.value(QLatin1String(key)).toString();
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestE2ePasswords : public QObject
{
    Q_OBJECT

private slots:
    void init() { CToolTip::HideText(); }
    void cleanup();
    void restoreDefaultWithSecurityCode_data();
    void restoreDefaultWithSecurityCode();
    void keyFileWorksOnce_data();
    void keyFileWorksOnce();
    void batchActivatesOnlyNewDevices();

private:
    bool StartDevice(int capabilities);
    // Changes the device's port with this administrator password; the summary.
    QString ModifyPortWith(LivePanel &p, const QString &password);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FleetFile> m_fleet;
    std::unique_ptr<DeviceAgent> m_agent;
};

bool TestE2ePasswords::StartDevice(int capabilities)
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_fleet = std::make_unique<FleetFile>(m_dir->filePath(QStringLiteral("fleet.json")));
    if (!m_dir->isValid() || !m_fleet->Generate(1, {QStringLiteral("--activation"), QStringLiteral("all")})
        || !m_fleet->Patch(0, {{QStringLiteral("capabilities"), capabilities}}))
        return false;
    m_agent = std::make_unique<DeviceAgent>();
    return m_agent->Start(m_fleet->Path());
}

QString TestE2ePasswords::ModifyPortWith(LivePanel &p, const QString &password)
{
    p.SelectRows({0});
    p.Edit("lineEditPort")->setText(QStringLiteral("8200"));
    p.Edit("lineEditPort_Password")->setText(password);
    p.TakeMessages();
    if (!p.Click("pushButtonModifyNetwork"))
        return QStringLiteral("no Modify button");
    const auto messages = p.TakeMessages();
    return messages.size() == 1 ? messages.at(0).text : QStringLiteral("%1 messages").arg(messages.size());
}

void TestE2ePasswords::cleanup()
{
    if (m_agent) {
        if (QTest::currentTestFailed())
            qInfo().noquote() << "agent output:\n" << m_agent->Output();
        m_agent->Stop();
    }
    m_agent.reset();
    m_fleet.reset();
    m_dir.reset();
}

void TestE2ePasswords::restoreDefaultWithSecurityCode_data()
{
    QTest::addColumn<bool>("rightCode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("right code") << true << "Information" << "Restore default password succeed.";
    QTest::newRow("wrong code") << false << "Error" << "Restore default password failed!";
}

void TestE2ePasswords::restoreDefaultWithSecurityCode()
{
    QFETCH(bool, rightCode);
    QFETCH(QString, title);
    QFETCH(QString, text);
    E2E_REQUIRE_PRIVATE_NETWORK();
    QVERIFY(StartDevice(kCapsBase));
    const QJsonObject before = m_fleet->Device(0);
    const QString code = rightCode ? Str(before, "securityCode") : QStringLiteral("SC-not-this-one");

    LivePanel p;
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 1, kFoundMs);
    p.SelectRows({0});
    // An activated device without key files: security code and the button.
    QVERIFY(p.Edit("m_pDefaultPwdLEdit")->isVisible());
    QVERIFY(!p.Edit("edtNewPassword")->isVisible());
    QTest::keyClicks(p.Edit("m_pDefaultPwdLEdit"), code);
    QVERIFY(p.Click("pushButtonModifyPassword"));
    const auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, title);
    QCOMPARE(messages.at(0).text, text);

    const QJsonObject after = m_fleet->Device(0);
    const QString expected = rightCode ? Str(before, "defaultPassword") : Str(before, "password");
    QVERIFY2(Str(after, "password") == expected, "the device's stored password is not the expected one");

    // The device takes the password it now has, and only that one.
    const QString other = rightCode ? Str(before, "password") : Str(before, "defaultPassword");
    QCOMPARE(ModifyPortWith(p, other), QStringLiteral("Modify network parameter failed!ID:001 "));
    QCOMPARE(ModifyPortWith(p, expected), QStringLiteral("Modify network parameter succeed.ID:001 "));
    QCOMPARE(m_fleet->Device(0).value(QStringLiteral("port")).toInt(), 8200);
}

void TestE2ePasswords::keyFileWorksOnce_data()
{
    QTest::addColumn<int>("capabilities");
    QTest::addColumn<QString>("succeeded");
    QTest::addColumn<QString>("failedTitle");
    QTest::addColumn<QString>("failed");
    QTest::newRow("with a new password") << (kCapsBase | kCapsKeyFileWithPassword) << "Reset password succeed."
                                         << "Information" << "Reset password failed.";
    QTest::newRow("key file alone") << (kCapsBase | kCapsKeyFileAlone) << "Restore default password succeed."
                                    << "Error" << "Restore default password failed!";
}

void TestE2ePasswords::keyFileWorksOnce()
{
    QFETCH(int, capabilities);
    QFETCH(QString, succeeded);
    QFETCH(QString, failedTitle);
    QFETCH(QString, failed);
    E2E_REQUIRE_PRIVATE_NETWORK();
    QVERIFY(StartDevice(capabilities));
    const QJsonObject before = m_fleet->Device(0);
    const bool withPassword = capabilities & kCapsKeyFileWithPassword;
    const QString newPassword = QStringLiteral("Key2026reset");
    QTemporaryDir keys;
    QVERIFY(keys.isValid());

    LivePanel p;
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 1, kFoundMs);
    QCOMPARE(p.Cell(0, C::ColumnNew), withPassword ? QStringLiteral("No") : QStringLiteral("Yes"));
    p.SelectRows({0});
    QCOMPARE(p.Edit("edtNewPassword")->isVisible(), withPassword);
    QVERIFY(!p.Edit("m_pDefaultPwdLEdit")->isVisible());

    // Export into a chosen folder.
    QVERIFY(p.ChooseInPathBox("combExportFile", keys.path()));
    QCOMPARE(p.Child<QComboBox>("combExportFile")->currentText(), keys.path() + QLatin1Char('/'));
    QVERIFY(p.Click("btnExport"));
    auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text, QStringLiteral("Exported."));
    const QString keyFile = QDir(keys.path()).filePath(QStringLiteral("DeviceKey.xml"));
    const QByteArray exported = ReadFile(keyFile);
    QVERIFY2(!exported.isEmpty() && exported == Str(before, "deviceKey").toLatin1(),
             "the key file does not hold the device's key");
    QCOMPARE(QFile::permissions(keyFile) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
             QFileDevice::Permissions());

    // Import it, with a new password where the device wants one.
    QVERIFY(p.ChooseInPathBox("combImportFile", keyFile));
    if (withPassword) {
        QTest::keyClicks(p.Edit("edtNewPassword"), newPassword);
        QTest::keyClicks(p.Edit("edtConfirmPassword"), newPassword);
    }
    QVERIFY(p.Click("btnImport"));
    messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text, succeeded);
    const QJsonObject after = m_fleet->Device(0);
    const QString expected = withPassword ? newPassword : Str(before, "defaultPassword");
    QVERIFY2(Str(after, "password") == expected, "the device's stored password is not the expected one");
    QVERIFY2(Str(after, "deviceKey") != Str(before, "deviceKey"), "the device kept its used key");

    // The same file a second time: the device has a new key by now.
    QVERIFY(p.Click("btnImport"));
    messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, failedTitle);
    QCOMPARE(messages.at(0).text, failed);
    QVERIFY2(Str(m_fleet->Device(0), "password") == expected, "a refused key file changed the password");

    // The password the key file gave is the one the device takes now.
    QCOMPARE(ModifyPortWith(p, expected), QStringLiteral("Modify network parameter succeed.ID:001 "));
}

void TestE2ePasswords::batchActivatesOnlyNewDevices()
{
    E2E_REQUIRE_PRIVATE_NETWORK();
    // Devices 0 and 2 are new, device 1 is activated.
    m_dir = std::make_unique<QTemporaryDir>();
    m_fleet = std::make_unique<FleetFile>(m_dir->filePath(QStringLiteral("fleet.json")));
    QVERIFY(m_fleet->Generate(3, {QStringLiteral("--activation"), QStringLiteral("all")}));
    QVERIFY(m_fleet->Patch(0, {{QStringLiteral("activated"), false}}));
    QVERIFY(m_fleet->Patch(2, {{QStringLiteral("activated"), false}}));
    m_agent = std::make_unique<DeviceAgent>();
    QVERIFY(m_agent->Start(m_fleet->Path()));
    const QString activePassword = Str(m_fleet->Device(1), "password");
    const QString password = QStringLiteral("abcd1234");   // "Weak" is enough

    LivePanel p;
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 3, kFoundMs);
    QStringList newIds;
    for (int row = 0; row < 3; ++row) {
        if (p.Cell(row, C::ColumnSerialNumber) != m_fleet->Serial(1))
            newIds << p.Cell(row, C::ColumnId);
    }
    p.SelectRows({0, 1, 2});
    QTest::keyClicks(p.Edit("edtNewPassword"), password);
    QTest::keyClicks(p.Edit("edtConfirmPassword"), password);
    QVERIFY(p.Click("pushButtonModifyPassword"));
    const auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text, QStringLiteral("The device is activated.ID:%1 ").arg(newIds.join(QLatin1Char(' '))));

    for (int i = 0; i < 3; ++i) {
        const QJsonObject stored = m_fleet->Device(i);
        QVERIFY(stored.value(QStringLiteral("activated")).toBool());
        QVERIFY2(Str(stored, "password") == (i == 1 ? activePassword : password),
                 qPrintable(QStringLiteral("device %1 holds another password than expected").arg(i)));
        QCOMPARE(p.Cell(p.RowOf(m_fleet->Serial(i)), C::ColumnSafetyState), QStringLiteral("Active"));
    }
}

E2E_TEST_MAIN(TestE2ePasswords)
#include "tst_e2e_passwords.moc"
