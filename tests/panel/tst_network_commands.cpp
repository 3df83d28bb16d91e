// Network parameter changes through the scripted library: the exact block,
// consecutive addresses, the field checks in order, the summary message.
#include <cstring>

#include <QCheckBox>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>

#include "PanelFixture.h"
#include "VrelDouble.h"
#include "discovery/QtVrelItemModel.h"
#include "widgets/CToolTip.h"

using C = QtVrelItemModel;

namespace {

const QString kModify = QStringLiteral("VREL_ModifyDeviceNetParam");

void fillFields(PanelFixture &f, const QString &address, const QString &port = QStringLiteral("8000"))
{
    f.edit("lineEditIPAddr")->setText(address);
    f.edit("lineEditIPMask")->setText(QStringLiteral("255.255.255.0"));
    f.edit("lineEditPort")->setText(port);
    f.edit("lineEditIPGateway")->setText(QStringLiteral("10.0.0.1"));
    f.edit("lineEditPort_Password")->setText(QStringLiteral("admin-secret"));
}

NetParamBlock blockOf(const VrelDouble::Call &call)
{
    NetParamBlock block;
    const QByteArray raw = call.args.value(QStringLiteral("block")).toByteArray();
    memcpy(&block, raw.constData(), sizeof block);
    return block;
}

} // namespace

class TestNetworkCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { CToolTip::HideText(); }
    void singleDeviceBlock_data();
    void singleDeviceBlock();
    void consecutiveAddresses_data();
    void consecutiveAddresses();
    void addressSpaceExhaustedIsRefusedBeforeSending();
    void fieldChecksInOrder_data();
    void fieldChecksInOrder();
    void summaryMessage();
    void noSelection();
    void batchDhcp();
    void batchDhcpKeepsOversizedRecordTextsInsideTheirFields();
};

void TestNetworkCommands::singleDeviceBlock_data()
{
    QTest::addColumn<bool>("ipv6Enabled");
    QTest::addColumn<QString>("gateway");
    QTest::addColumn<QString>("ipv6");
    QTest::addColumn<int>("prefix");
    QTest::newRow("with IPv6") << true << "10.0.0.1" << "2001:db8::5" << 48;
    QTest::newRow("IPv6 disabled") << false << "10.0.0.1" << "::" << 0;
    QTest::newRow("empty gateway") << true << "" << "2001:db8::5" << 48;
}

void TestNetworkCommands::singleDeviceBlock()
{
    QFETCH(bool, ipv6Enabled);
    QFETCH(QString, gateway);
    QFETCH(QString, ipv6);
    QFETCH(int, prefix);
    PanelFixture f;
    TestDevice d;
    d.capability = ipv6Enabled ? (VREL_CAP_IPV6 | VREL_CAP_IPV6_CHANGEABLE) : 0;
    d.httpPort = 8080;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    fillFields(f, QStringLiteral("10.0.0.64"), QStringLiteral("8123"));
    f.edit("lineEditIPGateway")->setText(gateway);
    if (ipv6Enabled) {
        f.edit("lineEditIPv6Addr")->setText(QStringLiteral("2001:db8::5"));
        f.edit("lineEditIPv6Gateway")->setText(QString());
        f.edit("lineEditIPv6Mask")->setText(QStringLiteral("48"));
    }
    f.child<QCheckBox>("checkBoxDhcp")->setChecked(false);
    VrelDouble::clearCalls();
    f.click("pushButtonModifyNetwork");

    const auto calls = VrelDouble::calls(kModify);
    QCOMPARE(calls.size(), 1);
    const QVariantMap &a = calls.at(0).args;
    QCOMPARE(a.value("mac").toString(), QString::fromLatin1(d.mac));
    QCOMPARE(a.value("password").toString(), QStringLiteral("admin-secret"));

    NetParamBlock expected;
    memset(&expected, 0, sizeof expected);
    strcpy(expected.szIPv4Address, "10.0.0.64");
    strcpy(expected.szIPv4SubnetMask, "255.255.255.0");
    strcpy(expected.szIPv4Gateway, gateway.toLatin1().constData());
    strcpy(expected.szIPv6Address, ipv6.toLatin1().constData());
    strcpy(expected.szIPv6Gateway, "::");
    expected.wPort = 8123;
    expected.byIPv6PrefixLength = uint8_t(prefix);
    expected.byDhcp = 0;
    expected.wHttpPort = 8080;
    QCOMPARE(a.value("block").toByteArray(), QByteArray(reinterpret_cast<const char *>(&expected), sizeof expected));

    // The row and the record show the new values at once.
    QCOMPARE(f.cell(0, C::ColumnIPv4Address), QStringLiteral("10.0.0.64"));
    QCOMPARE(f.cell(0, C::ColumnPort), QStringLiteral(" 8123"));
    QCOMPARE(f.cell(0, C::ColumnIPv4Gateway), gateway);
    const VREL_DEVICE_INFO_MY info = f.panel()->DeviceList().at(0);
    QCOMPARE(FieldText(info.szIPv4Address), QStringLiteral("10.0.0.64"));
    QCOMPARE(FieldText(info.szIPv4Gateway), gateway);
    QCOMPARE(info.nPort, 8123);
    QCOMPARE(f.takeMessages().size(), 1);
}

void TestNetworkCommands::consecutiveAddresses_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("within the fourth part") << "192.168.1.10"
                                            << QStringList{"192.168.1.10", "192.168.1.11", "192.168.1.12"};
    QTest::newRow("carry") << "192.168.1.254" << QStringList{"192.168.1.254", "192.168.1.255", "192.168.2.1"};
}

void TestNetworkCommands::consecutiveAddresses()
{
    QFETCH(QString, base);
    QFETCH(QStringList, expected);
    PanelFixture f;
    for (int i = 1; i <= 3; ++i)
        f.report(FleetDevice(i), VREL_EVENT_FOUND);
    f.selectRows({0, 1, 2});
    fillFields(f, base);
    f.edit("lineEditHttpPort")->setText(QStringLiteral("80"));
    VrelDouble::clearCalls();
    f.click("pushButtonModifyNetwork");
    const auto calls = VrelDouble::calls(kModify);
    QCOMPARE(calls.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(calls.at(i).args.value("mac").toString(), QString::fromLatin1(FleetDevice(i + 1).mac));
        QCOMPARE(calls.at(i).args.value("ipv4").toString(), expected.at(i));
        // IPv6 goes only to a single device.
        QCOMPARE(calls.at(i).args.value("ipv6").toString(), QStringLiteral("::"));
        QCOMPARE(calls.at(i).args.value("prefix").toUInt(), 0u);
        QCOMPARE(f.cell(i, C::ColumnIPv4Address), expected.at(i));
    }
}

void TestNetworkCommands::addressSpaceExhaustedIsRefusedBeforeSending()
{
    PanelFixture f;
    for (int i = 1; i <= 3; ++i)
        f.report(FleetDevice(i), VREL_EVENT_FOUND);
    f.selectRows({0, 1, 2});
    fillFields(f, QStringLiteral("255.255.255.254"));
    f.edit("lineEditHttpPort")->setText(QStringLiteral("80"));
    VrelDouble::clearCalls();
    f.click("pushButtonModifyNetwork");
    QCOMPARE(VrelDouble::callCount(kModify), 0);
    QVERIFY(CToolTip::IsVisible());
    QVERIFY(CToolTip::Text().contains(QStringLiteral("3 devices")));
    QVERIFY(f.takeMessages().isEmpty());
}

void TestNetworkCommands::fieldChecksInOrder_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("address empty") << "lineEditIPAddr" << "" << "IP address cannot be empty.";
    QTest::newRow("address invalid") << "lineEditIPAddr" << "10.0.0.0" << "IP Address not correct.";
    QTest::newRow("mask empty") << "lineEditIPMask" << " " << "Subnet mask cannot be empty.";
    QTest::newRow("mask invalid") << "lineEditIPMask" << "255.0.255.0" << "Subnet Mask not correct.";
    QTest::newRow("port 1999") << "lineEditPort" << "1999" << "Device port ranges from 2000 to 65535.";
    QTest::newRow("port not a number") << "lineEditPort" << "" << "Device port ranges from 2000 to 65535.";
    QTest::newRow("http port 0") << "lineEditHttpPort" << "0" << "Http port ranges from 1 to 65535.";
    QTest::newRow("gateway invalid") << "lineEditIPGateway" << "10.0.0.0" << "Gateway not correct.";
    QTest::newRow("IPv6 invalid") << "lineEditIPv6Addr" << "1::2::3" << "IPv6 Address not correct.";
    QTest::newRow("IPv6 gateway invalid") << "lineEditIPv6Gateway" << "g::1" << "IPv6 gateway not correct.";
    QTest::newRow("prefix 65") << "lineEditIPv6Mask" << "65" << "IPv6 prefix length ranges from 0 to 64.";
}

void TestNetworkCommands::fieldChecksInOrder()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    PanelFixture f;
    f.report(TestDevice(), VREL_EVENT_FOUND);
    f.selectRows({0});
    fillFields(f, QStringLiteral("10.0.0.64"));
    f.edit("lineEditHttpPort")->setText(QStringLiteral("80"));
    // Every later field is wrong too: only the first error may show.
    QLineEdit *edit = f.child<QLineEdit>(field.toLatin1().constData());
    edit->setValidator(nullptr);
    edit->setMaxLength(100);
    edit->setText(value);
    const QStringList order = {"lineEditIPAddr", "lineEditIPMask", "lineEditPort", "lineEditHttpPort",
                               "lineEditIPGateway", "lineEditIPv6Addr", "lineEditIPv6Gateway", "lineEditIPv6Mask"};
    for (qsizetype i = order.indexOf(field) + 1; i < order.size(); ++i) {
        QLineEdit *later = f.child<QLineEdit>(order.at(i).toLatin1().constData());
        later->setValidator(nullptr);
        later->setText(order.at(i) == "lineEditIPv6Mask" ? QStringLiteral("99") : QStringLiteral("x"));
    }
    VrelDouble::clearCalls();
    f.click("pushButtonModifyNetwork");
    QCOMPARE(VrelDouble::callCount(kModify), 0);
    QVERIFY(CToolTip::IsVisible());
    QCOMPARE(CToolTip::Text(), message);
    QVERIFY(f.takeMessages().isEmpty());
}

void TestNetworkCommands::summaryMessage()
{
    PanelFixture f;
    for (int i = 1; i <= 3; ++i) {
        TestDevice d = FleetDevice(i);
        d.httpPort = 0;   // a disabled HTTP port field is not checked
        f.report(d, VREL_EVENT_FOUND);
    }
    f.selectRows({0});
    QVERIFY(!f.edit("lineEditHttpPort")->isEnabled());
    f.selectRows({0, 1, 2});
    fillFields(f, QStringLiteral("10.0.0.10"));
    f.edit("lineEditHttpPort")->setText(QStringLiteral("0"));
    f.edit("lineEditHttpPort")->setEnabled(false);
    VrelDouble::queueResults("VREL_ModifyDeviceNetParam", {1, 1, 0});
    f.takeMessages();
    f.click("pushButtonModifyNetwork");
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text, QStringLiteral("Modify network parameter succeed.ID:001 002 "
                                                 "Modify network parameter failed!ID:003 "));
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_GetLastError")), 1);
    // The refused device keeps its row.
    QCOMPARE(f.cell(2, C::ColumnIPv4Address), QString::fromLatin1(FleetDevice(3).ipv4));
    QCOMPARE(f.cell(1, C::ColumnIPv4Address), QStringLiteral("10.0.0.11"));
}

void TestNetworkCommands::noSelection()
{
    PanelFixture f;
    f.report(TestDevice(), VREL_EVENT_FOUND);
    f.panel()->OnModifyNetPara();
    f.panel()->batchEnableDHCP();
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 2);
    for (const ShownMessage &m : messages) {
        QCOMPARE(m.title, QStringLiteral("Information"));
        QCOMPARE(m.text, QStringLiteral("Please select a device."));
    }
    QCOMPARE(VrelDouble::callCount(kModify), 0);
}

void TestNetworkCommands::batchDhcp()
{
    PanelFixture f;
    for (int i = 1; i <= 3; ++i)
        f.report(FleetDevice(i), VREL_EVENT_FOUND);
    f.selectRows({0, 1, 2});
    f.child<QCheckBox>("checkBoxBatchDhcp")->setChecked(true);
    f.edit("lineEditPort_BatchPassword")->clear();
    VrelDouble::clearCalls();
    f.click("pushButtonModifyBatchNetwork");
    const auto calls = VrelDouble::calls(kModify);
    QCOMPARE(calls.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const TestDevice d = FleetDevice(i + 1);
        const QVariantMap &a = calls.at(i).args;
        QCOMPARE(a.value("password").toString(), QString());
        QCOMPARE(a.value("ipv4").toString(), QString::fromLatin1(d.ipv4));
        QCOMPARE(a.value("mask").toString(), QString::fromLatin1(d.mask));
        QCOMPARE(a.value("gateway").toString(), QString::fromLatin1(d.gateway));
        QCOMPARE(a.value("ipv6").toString(), QString::fromLatin1(d.ipv6));
        QCOMPARE(a.value("port").toUInt(), 8000u);
        QCOMPARE(a.value("httpPort").toUInt(), 0u);   // the emptied batch field
        QCOMPARE(a.value("prefix").toUInt(), 64u);
        QCOMPARE(a.value("dhcp").toUInt(), 1u);
        QCOMPARE(int(f.panel()->DeviceList().at(i).byDhcpState), 1);
    }
    const auto messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, QStringLiteral("Modify network parameter succeed.ID:001 002 003 "));
}

void TestNetworkCommands::batchDhcpKeepsOversizedRecordTextsInsideTheirFields()
{
    PanelFixture f;
    TestDevice d;
    d.ipv4 = "1234567890123456";   // fills the record's 16 bytes, no zero
    f.report(d, VREL_EVENT_FOUND);
    f.report(FleetDevice(2), VREL_EVENT_FOUND);
    f.selectRows({0, 1});
    VrelDouble::clearCalls();
    f.click("pushButtonModifyBatchNetwork");
    const auto calls = VrelDouble::calls(kModify);
    QCOMPARE(calls.size(), 2);
    const NetParamBlock block = blockOf(calls.at(0));
    QCOMPARE(block.szIPv4Address[15], '\0');
    QCOMPARE(QByteArray(block.szIPv4Address), QByteArray("123456789012345"));
    QCOMPARE(QByteArray(block.szIPv4SubnetMask), QByteArray("255.255.255.0"));
}

QTEST_MAIN(TestNetworkCommands)
#include "tst_network_commands.moc"
