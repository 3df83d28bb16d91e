// The device table: cell texts, found/changed/gone handling, sorting, the
// column-move guard, the serial revert and the device web page.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>

#include "PanelFixture.h"
#include "discovery/CIpStandardItem.h"
#include "discovery/QtVrelItemModel.h"
#include "widgets/CTableView.h"

using C = QtVrelItemModel;

class TestDeviceTable : public QObject
{
    Q_OBJECT

private slots:
    void headers();
    void cellTexts_data();
    void cellTexts();
    void foundTwiceThenGoneOnce();
    void goneRenumbersFromTheTop();
    void goneOnEmptyTableChangesNothing();
    void changedUnknownDeviceChangesNothing();
    void changedDeviceRefreshesRowAndShownFields();
    void addressSortKey_data();
    void addressSortKey();
    void sortingByAddressAndByText();
    void columnMoveGuard();
    void serialEditIsReverted();
    void deviceWebPage_data();
    void deviceWebPage();
};

void TestDeviceTable::headers()
{
    PanelFixture f;
    const QStringList expected = {
        "ID", "Device Type", "IPv4 Address", "Safety state", "Port", "Soft Vision", "IPv4 GateWay", "Http Port",
        "Serial Number", "IPv4 Mask", "MAC", "Channel NO", "DSP Vision", "Start Time", "IPv6 Address",
        "IPv6 GateWay", "IPv6 Prefix Length", "Is Support IPv6", "Is Support Mod IPv6", "Is Support DHCP",
        "IPv4 DHCP", "New"};
    QCOMPARE(f.model()->columnCount(), 22);
    for (int c = 0; c < 22; ++c)
        QCOMPARE(f.model()->headerData(c, Qt::Horizontal).toString(), expected.at(c));
}

void TestDeviceTable::cellTexts_data()
{
    QTest::addColumn<int>("extended");
    QTest::addColumn<int>("capability");
    QTest::addColumn<int>("httpPort");
    QTest::addColumn<int>("activation");
    QTest::addColumn<int>("dhcp");
    QTest::addColumn<QStringList>("expected");   // columns 0..21

    const QString ipv6 = "fe80::211:22ff:fe33:4401";
    QTest::newRow("full record") << 1 << (VREL_CAP_IPV6 | VREL_CAP_IPV6_CHANGEABLE | VREL_CAP_DHCP | VREL_CAP_KEYFILE_RESET)
                                 << 80 << 0 << 1
                                 << QStringList{"001", "IPCamera", "192.168.1.64", "Active", " 8000",
                                                "V5.5.0build 180710", "192.168.1.1", "80", "DS-2CD2000-0001",
                                                "255.255.255.0", "00-11-22-33-44-01", " 1", "V7.3build 180523",
                                                "2026-12-01 08:00:00", ipv6, "fe80::1", "64", "Yes", "Yes", "Yes",
                                                "ON", "Yes"};
    QTest::newRow("extended flag 0") << 0 << 0x7f << 65535 << 1 << 1
                                     << QStringList{"001", "IPCamera", "192.168.1.64", "Inactive", " 8000",
                                                    "V5.5.0build 180710", "", "65535", "DS-2CD2000-0001",
                                                    "255.255.255.0", "00-11-22-33-44-01", " 1", "V7.3build 180523",
                                                    "2026-12-01 08:00:00", "", "", "", "", "", "", "", ""};
    QTest::newRow("no IPv6, port 0") << 1 << 0 << 0 << 3 << 0
                                     << QStringList{"001", "IPCamera", "192.168.1.64", "Inactive", " 8000",
                                                    "V5.5.0build 180710", "192.168.1.1", "N/A", "DS-2CD2000-0001",
                                                    "255.255.255.0", "00-11-22-33-44-01", " 1", "V7.3build 180523",
                                                    "2026-12-01 08:00:00", "", "", "", "No", "No", "No", "OFF", "No"};
}

void TestDeviceTable::cellTexts()
{
    QFETCH(int, extended);
    QFETCH(int, capability);
    QFETCH(int, httpPort);
    QFETCH(int, activation);
    QFETCH(int, dhcp);
    QFETCH(QStringList, expected);
    PanelFixture f;
    TestDevice d;
    d.extended = extended;
    d.capability = capability;
    d.httpPort = httpPort;
    d.activation = activation;
    d.dhcp = dhcp;
    f.report(d, VREL_EVENT_FOUND);
    QCOMPARE(f.rows(), 1);
    for (int c = 0; c < 22; ++c)
        QVERIFY2(f.cell(0, c) == expected.at(c),
                 qPrintable(QStringLiteral("column %1: '%2'").arg(c).arg(f.cell(0, c))));
    QCOMPARE(f.child<QLabel>("m_pLabelCount")->text(), QStringLiteral("1"));

    // Only the serial number cell can be opened, and only to read it.
    for (int c = 0; c < 22; ++c) {
        const Qt::ItemFlags flags = f.model()->item(0, c)->flags();
        if (c == C::ColumnSerialNumber)
            QCOMPARE(flags, Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
        else
            QVERIFY(!(flags & Qt::ItemIsEditable));
    }
    QVERIFY(dynamic_cast<CIpStandardItem *>(f.model()->item(0, C::ColumnIPv4Address)));
    QVERIFY(dynamic_cast<CIpStandardItem *>(f.model()->item(0, C::ColumnIPv4Mask)));
}

void TestDeviceTable::foundTwiceThenGoneOnce()
{
    PanelFixture f;
    f.report(FleetDevice(1), VREL_EVENT_FOUND);
    f.report(FleetDevice(2), VREL_EVENT_FOUND);
    f.report(FleetDevice(1), VREL_EVENT_FOUND);
    QCOMPARE(f.rows(), 3);
    QCOMPARE(f.panel()->DeviceList().size(), 3);

    f.report(FleetDevice(1), VREL_EVENT_GONE);
    QCOMPARE(f.rows(), 1);   // both rows of the device go
    QCOMPARE(f.panel()->DeviceList().size(), 2);   // only its first list entry
    QCOMPARE(f.cell(0, C::ColumnSerialNumber), QString::fromLatin1(FleetDevice(2).serial));
    QCOMPARE(f.cell(0, C::ColumnId), QStringLiteral("001"));
    QCOMPARE(f.child<QLabel>("m_pLabelCount")->text(), QStringLiteral("1"));
    QCOMPARE(QtVrelTestAccess::DebugCount(f.panel()), 2);
}

void TestDeviceTable::goneRenumbersFromTheTop()
{
    PanelFixture f;
    for (int i = 1; i <= 5; ++i)
        f.report(FleetDevice(i), VREL_EVENT_FOUND);
    // Sorting by MAC in descending order moves the IDs with their rows.
    f.child<CTableView>("tableWidgetDevice")->header()->setSortIndicator(C::ColumnMac, Qt::DescendingOrder);
    f.panel()->SortTable(C::ColumnMac);
    QCOMPARE(f.cell(0, C::ColumnId), QStringLiteral("005"));
    f.report(FleetDevice(3), VREL_EVENT_GONE);
    QCOMPARE(f.rows(), 4);
    for (int r = 0; r < 4; ++r)
        QCOMPARE(f.cell(r, C::ColumnId), QString::asprintf("%03d", r + 1));
    // A device found later gets its row number at the time.
    f.report(FleetDevice(9), VREL_EVENT_FOUND);
    QCOMPARE(f.cell(4, C::ColumnId), QStringLiteral("005"));
}

void TestDeviceTable::goneOnEmptyTableChangesNothing()
{
    PanelFixture f;
    f.report(FleetDevice(1), VREL_EVENT_GONE);
    QCOMPARE(f.rows(), 0);
    QCOMPARE(QtVrelTestAccess::DebugCount(f.panel()), 0);
    QCOMPARE(f.child<QLabel>("m_pLabelCount")->text(), QString());

    // With rows, a gone event for an unknown device renumbers and counts down.
    f.report(FleetDevice(1), VREL_EVENT_FOUND);
    f.report(FleetDevice(7), VREL_EVENT_GONE);
    QCOMPARE(f.rows(), 1);
    QCOMPARE(QtVrelTestAccess::DebugCount(f.panel()), 0);
}

void TestDeviceTable::changedUnknownDeviceChangesNothing()
{
    PanelFixture f;
    f.report(FleetDevice(1), VREL_EVENT_FOUND);
    TestDevice other = FleetDevice(2);
    other.ipv4 = "10.9.9.9";
    f.report(other, VREL_EVENT_CHANGED);
    QCOMPARE(f.rows(), 1);
    QCOMPARE(f.cell(0, C::ColumnIPv4Address), QString::fromLatin1(FleetDevice(1).ipv4));
    QCOMPARE(f.panel()->DeviceList().size(), 1);

    // Same serial number, other MAC: not the same device.
    TestDevice sameSerial = FleetDevice(1);
    sameSerial.mac = "aa-aa-aa-aa-aa-aa";
    sameSerial.ipv4 = "10.9.9.9";
    f.report(sameSerial, VREL_EVENT_CHANGED);
    QCOMPARE(f.cell(0, C::ColumnIPv4Address), QString::fromLatin1(FleetDevice(1).ipv4));
}

void TestDeviceTable::changedDeviceRefreshesRowAndShownFields()
{
    PanelFixture f;
    f.report(FleetDevice(1), VREL_EVENT_FOUND);
    f.report(FleetDevice(2), VREL_EVENT_FOUND);
    f.report(FleetDevice(1), VREL_EVENT_FOUND);   // a duplicate: first row wins
    f.selectRows({0});
    TestDevice moved = FleetDevice(1);
    moved.ipv4 = "10.20.30.40";
    moved.activation = 1;
    f.report(moved, VREL_EVENT_CHANGED);
    QCOMPARE(f.cell(0, C::ColumnIPv4Address), QStringLiteral("10.20.30.40"));
    QCOMPARE(f.cell(0, C::ColumnSafetyState), QStringLiteral("Inactive"));
    QCOMPARE(f.cell(2, C::ColumnIPv4Address), QString::fromLatin1(FleetDevice(1).ipv4));
    QCOMPARE(f.edit("lineEditIPAddr")->text(), QStringLiteral("10.20.30.40"));
    QCOMPARE(FieldText(f.panel()->DeviceList().at(0).szIPv4Address), QStringLiteral("10.20.30.40"));
    QCOMPARE(FieldText(f.panel()->DeviceList().at(2).szIPv4Address), QString::fromLatin1(FleetDevice(1).ipv4));
}

void TestDeviceTable::addressSortKey_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("plain") << QByteArray("192.168.1.2") << QByteArray("192168001002");
    QTest::newRow("three parts") << QByteArray("10.0.1") << QByteArray("010000001000");
    QTest::newRow("empty") << QByteArray("") << QByteArray("000000000000");
    QTest::newRow("non-numeric piece") << QByteArray("10.x.1.2") << QByteArray("010000001002");
    QTest::newRow("leading digits count") << QByteArray("10.5a.1.2") << QByteArray("010005001002");
    QTest::newRow("fifth part ignored") << QByteArray("1.2.3.4.5") << QByteArray("001002003004");
}

void TestDeviceTable::addressSortKey()
{
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, key);
    QCOMPARE(AddressSortKey(address), key);
}

void TestDeviceTable::sortingByAddressAndByText()
{
    PanelFixture f;
    const QByteArray addresses[] = {"192.168.1.10", "192.168.1.2", "9.1.1.1", "10.0.0.9"};
    for (int i = 0; i < 4; ++i) {
        TestDevice d = FleetDevice(i + 1);
        d.ipv4 = addresses[i];
        f.report(d, VREL_EVENT_FOUND);
    }
    auto *header = f.child<CTableView>("tableWidgetDevice")->header();
    header->setSortIndicator(C::ColumnIPv4Address, Qt::AscendingOrder);
    f.panel()->SortTable(C::ColumnIPv4Address);
    QCOMPARE(f.cell(0, C::ColumnIPv4Address), QStringLiteral("9.1.1.1"));
    QCOMPARE(f.cell(1, C::ColumnIPv4Address), QStringLiteral("10.0.0.9"));
    QCOMPARE(f.cell(2, C::ColumnIPv4Address), QStringLiteral("192.168.1.2"));
    QCOMPARE(f.cell(3, C::ColumnIPv4Address), QStringLiteral("192.168.1.10"));
    // IDs travel with their rows.
    QCOMPARE(f.cell(0, C::ColumnId), QStringLiteral("003"));

    // Plain text order on a text column.
    header->setSortIndicator(C::ColumnSerialNumber, Qt::DescendingOrder);
    f.panel()->SortTable(C::ColumnSerialNumber);
    QCOMPARE(f.cell(0, C::ColumnSerialNumber), QString::fromLatin1(FleetDevice(4).serial));
    QCOMPARE(f.cell(3, C::ColumnSerialNumber), QString::fromLatin1(FleetDevice(1).serial));

    // Rows that arrive later are appended, not sorted in.
    TestDevice late = FleetDevice(5);
    late.ipv4 = "1.1.1.1";
    f.report(late, VREL_EVENT_FOUND);
    QCOMPARE(f.cell(4, C::ColumnIPv4Address), QStringLiteral("1.1.1.1"));
}

void TestDeviceTable::columnMoveGuard()
{
    PanelFixture f;
    QHeaderView *header = f.child<CTableView>("tableWidgetDevice")->header();

    f.panel()->OnHeaderPress(0);
    QVERIFY(!header->sectionsMovable());

    f.panel()->OnHeaderPress(5);
    QVERIFY(header->sectionsMovable());
    header->moveSection(5, 2);   // an ordinary move stays
    QCOMPARE(header->visualIndex(5), 2);

    f.panel()->OnHeaderPress(4);
    header->moveSection(header->visualIndex(4), 0);   // onto the first position: undone
    QCOMPARE(header->visualIndex(0), 0);
    QCOMPARE(header->logicalIndex(0), 0);
    QCOMPARE(header->visualIndex(5), 2);

    f.panel()->OnHeaderPress(3);
    header->moveSection(0, 6);   // the first column away: undone
    QCOMPARE(header->logicalIndex(0), 0);
}

void TestDeviceTable::serialEditIsReverted()
{
    PanelFixture f;
    f.report(FleetDevice(1), VREL_EVENT_FOUND);
    const QModelIndex serial = f.model()->index(0, C::ColumnSerialNumber);
    const QString original = serial.data().toString();
    f.panel()->OnClickAction(serial);
    f.model()->setData(serial, QStringLiteral("typed by the user"));
    QCOMPARE(serial.data().toString(), original);
    QCOMPARE(serial.data(Qt::ToolTipRole).toString(), original);

    // Nothing pending: the edit stays, and the row no longer matches the
    // device, so its changes do not land there.
    f.model()->setData(serial, QStringLiteral("X"));
    QCOMPARE(serial.data().toString(), QStringLiteral("X"));
    TestDevice changed = FleetDevice(1);
    changed.ipv4 = "10.1.1.1";
    f.report(changed, VREL_EVENT_CHANGED);
    QCOMPARE(f.cell(0, C::ColumnIPv4Address), QString::fromLatin1(FleetDevice(1).ipv4));
}

void TestDeviceTable::deviceWebPage_data()
{
    QTest::addColumn<int>("httpPort");
    QTest::addColumn<QString>("url");
    QTest::newRow("port 80") << 80 << "http://192.168.1.64:80";
    QTest::newRow("port 8080") << 8080 << "http://192.168.1.64:8080";
    QTest::newRow("no port") << 0 << "http://192.168.1.64:N/A";
}

void TestDeviceTable::deviceWebPage()
{
    QFETCH(int, httpPort);
    QFETCH(QString, url);
    PanelFixture f;
    TestDevice d;
    d.httpPort = httpPort;
    f.report(d, VREL_EVENT_FOUND);
    f.panel()->OnClickAction(f.model()->index(0, C::ColumnIPv4Address));
    QCOMPARE(f.openedUrls().size(), 1);
    QCOMPARE(f.openedUrls().at(0), QUrl(url));
    f.panel()->OnClickAction(f.model()->index(0, C::ColumnMac));
    QCOMPARE(f.openedUrls().size(), 1);
}

QTEST_MAIN(TestDeviceTable)
#include "tst_device_table.moc"
