// Activation, restore and reset of passwords, the strength meter, and the
// device key file export and import, through the scripted library.
#include <cstring>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "PanelFixture.h"
#include "VrelDouble.h"
#include "discovery/QtVrelItemModel.h"
#include "widgets/CToolTip.h"

using C = QtVrelItemModel;

namespace {

ResetParamBlock resetBlockOf(const VrelDouble::Call &call)
{
    ResetParamBlock block;
    const QByteArray raw = call.args.value(QStringLiteral("block")).toByteArray();
    Q_ASSERT(raw.size() == int(sizeof block));
    memcpy(&block, raw.constData(), sizeof block);
    return block;
}

void setPasswords(PanelFixture &f, const QString &password, const QString &confirm)
{
    f.edit("edtNewPassword")->setText(password);
    f.edit("edtConfirmPassword")->setText(confirm);
}

void chooseInBox(PanelFixture &f, const char *box, const QString &text)
{
    auto *combo = f.child<QComboBox>(box);
    combo->addItem(text);
    combo->setCurrentIndex(combo->count() - 1);
}

} // namespace

class TestPasswordCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { CToolTip::HideText(); }
    void meterFollowsText_data();
    void meterFollowsText();
    void activationChecksInOrder_data();
    void activationChecksInOrder();
    void batchActivationSkipsActivatedDevices();
    void nothingToActivate();
    void restoreWithCode_data();
    void restoreWithCode();
    void resetWithCodeAndNewPassword();
    void exportWritesKeyFile_data();
    void exportWritesKeyFile();
    void exportWithoutKeyCreatesNothing();
    void exportReplacesEarlierFile();
    void importLayouts_data();
    void importLayouts();
    void importMismatchMakesNoCall();
    void importRefusesPathThatDoesNotFit();
};

void TestPasswordCommands::meterFollowsText_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("word");
    QTest::newRow("too short") << "aB1" << "";
    QTest::newRow("weak") << "abcd1234" << "Weak";
    QTest::newRow("medium") << "abcdEFGH" << "Medium";
    QTest::newRow("strong") << "abcD1234" << "Strong";
}

void TestPasswordCommands::meterFollowsText()
{
    QFETCH(QString, password);
    QFETCH(QString, word);
    PanelFixture f;
    f.edit("edtNewPassword")->setText(password);   // set by the program: the meter follows too
    QCOMPARE(f.child<QLabel>("m_pLabelLevel")->text(), word);
}

void TestPasswordCommands::activationChecksInOrder_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("tip");
    QTest::newRow("empty") << "" << "x" << "The password can not be empty.";
    QTest::newRow("mismatch") << "abcd1234" << "abcd1235" << "The password you typed do not match.";
    QTest::newRow("case matters") << "abcd1234" << "ABCD1234" << "The password you typed do not match.";
    QTest::newRow("level 0") << "abcdefgh" << "abcdefgh" << "Valid password range [8-16]. You can use a combination of numbers, ";
}

void TestPasswordCommands::activationChecksInOrder()
{
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, tip);
    PanelFixture f;
    TestDevice d;
    d.activation = 1;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    setPasswords(f, password, confirm);
    VrelDouble::clearCalls();
    f.click("pushButtonModifyPassword");
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_ActivateDevice")), 0);
    QVERIFY(CToolTip::IsVisible());
    QVERIFY2(CToolTip::Text().startsWith(tip), qPrintable(CToolTip::Text()));
}

void TestPasswordCommands::batchActivationSkipsActivatedDevices()
{
    PanelFixture f;
    for (int i = 1; i <= 3; ++i) {
        TestDevice d = FleetDevice(i);
        d.activation = i == 2 ? 0 : 1;
        f.report(d, VREL_EVENT_FOUND);
    }
    f.selectRows({0, 1, 2});
    setPasswords(f, QStringLiteral("abcd1234"), QStringLiteral("abcd1234"));   // weak is enough
    VrelDouble::clearCalls();
    VrelDouble::queueResults("VREL_ActivateDevice", {1, 0});
    f.takeMessages();
    f.click("pushButtonModifyPassword");

    const auto calls = VrelDouble::calls(QStringLiteral("VREL_ActivateDevice"));
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0).args.value("serial").toString(), QString::fromLatin1(FleetDevice(1).serial));
    QCOMPARE(calls.at(1).args.value("serial").toString(), QString::fromLatin1(FleetDevice(3).serial));
    QCOMPARE(calls.at(0).args.value("password").toString(), QStringLiteral("abcd1234"));
    QCOMPARE(f.cell(0, C::ColumnSafetyState), QStringLiteral("Active"));
    QCOMPARE(f.cell(2, C::ColumnSafetyState), QStringLiteral("Inactive"));
    QCOMPARE(int(f.panel()->DeviceList().at(0).byActivation), 0);
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text, QStringLiteral("The device is activated.ID:001 Operation failed.ID:003 "));
}

void TestPasswordCommands::nothingToActivate()
{
    PanelFixture f;
    f.report(FleetDevice(1), VREL_EVENT_FOUND);
    f.report(FleetDevice(2), VREL_EVENT_FOUND);
    f.selectRows({0, 1});
    setPasswords(f, QStringLiteral("abcD1234"), QStringLiteral("abcD1234"));
    VrelDouble::clearCalls();
    f.takeMessages();
    f.click("pushButtonModifyPassword");
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_ActivateDevice")), 0);
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, QStringLiteral("No activate device."));
}

void TestPasswordCommands::restoreWithCode_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("restored") << 1 << "Information" << "Restore default password succeed.";
    QTest::newRow("wrong code") << 0 << "Error" << "Restore default password failed!";
}

void TestPasswordCommands::restoreWithCode()
{
    QFETCH(int, result);
    QFETCH(QString, title);
    QFETCH(QString, text);
    PanelFixture f;
    f.report(TestDevice(), VREL_EVENT_FOUND);
    f.selectRows({0});
    f.click("pushButtonModifyPassword");   // no code yet
    QCOMPARE(CToolTip::Text(), QStringLiteral("Password cannot be empty."));
    QVERIFY(f.edit("m_pDefaultPwdLEdit")->hasFocus() || !f.panel()->isActiveWindow());

    f.edit("m_pDefaultPwdLEdit")->setText(QStringLiteral("CODE-1234"));
    VrelDouble::setResult("VREL_ResetDefaultPasswd", result);
    VrelDouble::clearCalls();
    f.takeMessages();
    f.click("pushButtonModifyPassword");
    const auto calls = VrelDouble::calls(QStringLiteral("VREL_ResetDefaultPasswd"));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).args.value("serial").toString(), QString::fromLatin1(TestDevice().serial));
    QCOMPARE(calls.at(0).args.value("code").toString(), QStringLiteral("CODE-1234"));
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, title);
    QCOMPARE(messages.at(0).text, text);
}

void TestPasswordCommands::resetWithCodeAndNewPassword()
{
    PanelFixture f;
    f.report(TestDevice(), VREL_EVENT_FOUND);
    f.selectRows({0});
    // The reset layout: the code and a new password are both shown.
    f.widget("edtNewPassword")->show();
    f.widget("edtConfirmPassword")->show();
    f.edit("m_pDefaultPwdLEdit")->setText(QStringLiteral("CODE-1234"));
    setPasswords(f, QStringLiteral("Abcdefgh12345678"), QStringLiteral("Abcdefgh12345678"));
    VrelDouble::setResult("VREL_ResetPasswd", 0);
    VrelDouble::clearCalls();
    f.takeMessages();
    f.click("pushButtonModifyPassword");
    const auto calls = VrelDouble::calls(QStringLiteral("VREL_ResetPasswd"));
    QCOMPARE(calls.size(), 1);
    const ResetParamBlock block = resetBlockOf(calls.at(0));
    QCOMPARE(QByteArray(block.szSecurityCode), QByteArray("CODE-1234"));
    QCOMPARE(block.szKeyFilePath[0], '\0');
    // Sixteen characters fill the field without a terminating zero.
    QCOMPARE(QByteArray(block.szNewPassword, 16), QByteArray("Abcdefgh12345678"));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(block.byReserved), 512), QByteArray(512, '\0'));
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_GetLastError")), 1);
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text, QStringLiteral("Reset password failed."));
}

void TestPasswordCommands::exportWritesKeyFile_data()
{
    QTest::addColumn<quint32>("count");
    QTest::addColumn<int>("written");
    QTest::newRow("some bytes") << 5u << 5;
    QTest::newRow("empty key") << 0u << 0;
    QTest::newRow("whole buffer") << 256u << 256;
    QTest::newRow("count beyond the buffer") << 4000u << 256;
}

void TestPasswordCommands::exportWritesKeyFile()
{
    QFETCH(quint32, count);
    QFETCH(int, written);
    QTemporaryDir dir;
    PanelFixture f;
    TestDevice d;
    d.capability |= VREL_CAP_KEYFILE_RESET;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    QByteArray key(256, '\0');
    for (int i = 0; i < 256; ++i)
        key[i] = char(i ^ 0x5a);
    VrelDouble::setDeviceKey(count, key);
    chooseInBox(f, "combExportFile", dir.path() + QLatin1Char('/'));
    f.takeMessages();
    f.click("btnExport");

    const auto calls = VrelDouble::calls(QStringLiteral("VREL_GetDeviceConfig"));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).args.value("type").toInt(), 1);
    QCOMPARE(calls.at(0).args.value("input").toULongLong(), 0ULL);
    QCOMPARE(calls.at(0).args.value("inputSize").toInt(), 0);
    QCOMPARE(calls.at(0).args.value("outputSize").toInt(), 260);
    QFile file(dir.filePath(QStringLiteral("DeviceKey.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), key.left(written));
    QCOMPARE(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                                   | QFileDevice::WriteOther),
             QFileDevice::Permissions());
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, QStringLiteral("Exported."));
    QCOMPARE(f.child<QComboBox>("combExportFile")->currentText(), dir.path() + QLatin1Char('/'));
}

void TestPasswordCommands::exportWithoutKeyCreatesNothing()
{
    QTemporaryDir dir;
    PanelFixture f;
    f.report(TestDevice(), VREL_EVENT_FOUND);
    f.selectRows({0});
    f.takeMessages();
    f.click("btnExport");   // no folder chosen
    QCOMPARE(CToolTip::Text(), QStringLiteral("File path cannot be empty."));
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_GetDeviceConfig")), 0);

    chooseInBox(f, "combExportFile", dir.path() + QLatin1Char('/'));
    VrelDouble::setResult("VREL_GetDeviceConfig", 0);
    f.click("btnExport");
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("DeviceKey.xml"))));
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, QStringLiteral("Get key error."));
}

void TestPasswordCommands::exportReplacesEarlierFile()
{
    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("DeviceKey.xml")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(300, 'o'));
    old.close();

    PanelFixture f;
    f.report(TestDevice(), VREL_EVENT_FOUND);
    f.selectRows({0});
    VrelDouble::setDeviceKey(3, QByteArray("key"));
    chooseInBox(f, "combExportFile", dir.path() + QLatin1Char('/'));
    f.click("btnExport");
    QFile file(dir.filePath(QStringLiteral("DeviceKey.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("key"));
    // No stray temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("DeviceKey.xml")});

    // A folder that cannot be written reports the error and keeps the old key.
    chooseInBox(f, "combExportFile", dir.filePath(QStringLiteral("missing")) + QLatin1Char('/'));
    f.takeMessages();
    f.click("btnExport");
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, QStringLiteral("Create device key file error."));
}

void TestPasswordCommands::importLayouts_data()
{
    QTest::addColumn<int>("capability");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::newRow("key file alone") << int(VREL_CAP_KEYFILE_RESET) << "" << "Restore default password succeed.";
    QTest::newRow("key file with new password") << int(VREL_CAP_KEYFILE_NEW_PASSWORD) << "abcD1234"
                                                << "Reset password succeed.";
}

void TestPasswordCommands::importLayouts()
{
    QFETCH(int, capability);
    QFETCH(QString, password);
    QFETCH(QString, message);
    PanelFixture f;
    TestDevice d;
    d.capability = capability;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    chooseInBox(f, "combImportFile", QStringLiteral("/home/user/keys/DeviceKey.xml"));
    setPasswords(f, password, password);
    VrelDouble::clearCalls();
    f.takeMessages();
    f.click("btnImport");
    const auto calls = VrelDouble::calls(QStringLiteral("VREL_ResetPasswd"));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).args.value("serial").toString(), QString::fromLatin1(d.serial));
    const ResetParamBlock block = resetBlockOf(calls.at(0));
    QCOMPARE(block.szSecurityCode[0], '\0');
    QCOMPARE(QByteArray(block.szKeyFilePath), QByteArray("/home/user/keys/DeviceKey.xml"));
    QCOMPARE(QByteArray(block.szNewPassword, int(strnlen(block.szNewPassword, 16))), password.toLatin1());
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, message);
}

void TestPasswordCommands::importMismatchMakesNoCall()
{
    PanelFixture f;
    TestDevice d;
    d.capability = VREL_CAP_KEYFILE_NEW_PASSWORD;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    chooseInBox(f, "combImportFile", QStringLiteral("/tmp/DeviceKey.xml"));
    setPasswords(f, QStringLiteral("abcD1234"), QStringLiteral("abcD1235"));
    VrelDouble::clearCalls();
    f.click("btnImport");
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_ResetPasswd")), 0);
    QCOMPARE(CToolTip::Text(), QStringLiteral("The password you typed do not match."));
}

void TestPasswordCommands::importRefusesPathThatDoesNotFit()
{
    PanelFixture f;
    TestDevice d;
    d.capability = VREL_CAP_KEYFILE_RESET;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    // 259 bytes fit with the terminating zero; 260 do not. A Chinese
    // character takes three bytes in the 8-bit form.
    const QString fits = QLatin1Char('/') + QString(258, QLatin1Char('k'));
    const QString tooLong = QLatin1Char('/') + QString(256, QLatin1Char('k')) + QString::fromUtf8("\xe9\x92\xa5");
    chooseInBox(f, "combImportFile", tooLong);
    VrelDouble::clearCalls();
    f.click("btnImport");
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_ResetPasswd")), 0);
    QCOMPARE(CToolTip::Text(), QStringLiteral("The key file path is too long."));

    chooseInBox(f, "combImportFile", fits);
    f.click("btnImport");
    const auto calls = VrelDouble::calls(QStringLiteral("VREL_ResetPasswd"));
    QCOMPARE(calls.size(), 1);
    const ResetParamBlock block = resetBlockOf(calls.at(0));
    QCOMPARE(QByteArray(block.szKeyFilePath), fits.toLocal8Bit());
}

QTEST_MAIN(TestPasswordCommands)
#include "tst_password_commands.moc"
