// What the settings frame shows: construction, expand/shrink, DHCP boxes,
// and the layouts that follow the selection.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "PanelFixture.h"
#include "widgets/CTableView.h"

namespace {

struct Visibility
{
    const char *name;
    bool visible;
};

} // namespace

class TestPanelLayouts : public QObject
{
    Q_OBJECT

private slots:
    void afterConstruction();
    void expandAndShrink();
    void dhcpBoxes_data();
    void dhcpBoxes();
    void singleDeviceModes_data();
    void singleDeviceModes();
    void singleDeviceFields();
    void fixedDeviceType();
    void extendedFlagZero();
    void batchSelection();
    void deselectingLastRowEmptiesPanel();

private:
    static void checkVisible(PanelFixture &f, const QList<Visibility> &expected);
};

void TestPanelLayouts::checkVisible(PanelFixture &f, const QList<Visibility> &expected)
{
    for (const Visibility &v : expected) {
        QWidget *w = f.widget(v.name);
        QVERIFY2(w, v.name);
        QVERIFY2(w->isVisible() == v.visible, qPrintable(QStringLiteral("%1 should be %2")
                                                             .arg(QLatin1String(v.name))
                                                             .arg(v.visible ? "visible" : "hidden")));
    }
}

void TestPanelLayouts::afterConstruction()
{
    PanelFixture f;
    for (const char *name : {"lineEditSerial", "lineEditIPAddr", "lineEditIPMask", "lineEditPort",
                             "lineEditPort_Password", "m_pDefaultPwdLEdit", "lineEditIPGateway", "lineEditHttpPort",
                             "lineEditIPv6Addr"}) {
        QVERIFY2(!f.edit(name)->isEnabled(), name);
        QVERIFY2(f.edit(name)->text().isEmpty(), name);
    }
    checkVisible(f, {{"widgetBatch", false}, {"combExportFile", false}, {"btnImport", false},
                     {"m_pDefaultPwdLEdit", true}, {"edtNewPassword", true}, {"pushButtonModifyPassword", true},
                     {"m_pSetFrame", true}, {"m_pBtnExpand", true}, {"m_pBtnShrink", false}});
    QCOMPARE(f.edit("edtNewPassword")->maxLength(), 16);
    QVERIFY(f.edit("edtNewPassword")->toolTip().startsWith(QStringLiteral("Valid password range [8-16].")));
    QCOMPARE(f.edit("m_pDefaultPwdLEdit")->echoMode(), QLineEdit::Password);
    QCOMPARE(f.edit("lineEditPort_Password")->maxLength(), 16);
    QCOMPARE(f.child<QWidget>("m_pSetFrame")->width(), 290);
}

void TestPanelLayouts::expandAndShrink()
{
    PanelFixture f;
    f.click("m_pBtnExpand");
    checkVisible(f, {{"m_pSetFrame", false}, {"m_pBtnExpand", false}, {"m_pBtnShrink", true}});
    f.click("m_pBtnShrink");
    checkVisible(f, {{"m_pSetFrame", true}, {"m_pBtnExpand", true}, {"m_pBtnShrink", false}});
}

void TestPanelLayouts::dhcpBoxes_data()
{
    QTest::addColumn<bool>("batch");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("single unchecked") << false << 0 << true;
    QTest::newRow("single checked") << false << 2 << false;
    QTest::newRow("batch unchecked") << true << 0 << true;
    QTest::newRow("batch checked") << true << 2 << false;
}

void TestPanelLayouts::dhcpBoxes()
{
    QFETCH(bool, batch);
    QFETCH(int, state);
    QFETCH(bool, enabled);
    PanelFixture f;
    QList<const char *> names = {"frame", "lineEditIPAddr", "lineEditIPMask", "lineEditIPGateway"};
    if (batch)
        names << "lineEditPort" << "lineEditPort_Password" << "pushButtonModifyNetwork";
    for (const char *name : names)
        f.widget(name)->setEnabled(!enabled);
    if (batch)
        f.panel()->OnBatchDchpChanged(state);
    else
        f.panel()->OnDchpChanged(state);
    for (const char *name : names)
        QVERIFY2(f.widget(name)->isEnabled() == enabled, name);
    // The partly checked state changes nothing.
    if (batch)
        f.panel()->OnBatchDchpChanged(1);
    else
        f.panel()->OnDchpChanged(1);
    for (const char *name : names)
        QVERIFY2(f.widget(name)->isEnabled() == enabled, name);
}

void TestPanelLayouts::singleDeviceModes_data()
{
    QTest::addColumn<int>("activation");
    QTest::addColumn<int>("capability");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("activateMode");
    QTest::addColumn<QList<bool>>("visible");
    // Order of `visible`: security code, new password, meter, confirm, button,
    // export row, import row.
    QTest::newRow("not activated") << 1 << 0 << "Activate device" << true
                                   << QList<bool>{false, true, true, true, true, false, false};
    QTest::newRow("activated, code reset") << 0 << 0 << "Reset Default Password" << false
                                           << QList<bool>{true, false, false, false, true, false, false};
    QTest::newRow("key file with new password") << 0 << int(VREL_CAP_KEYFILE_NEW_PASSWORD) << "Reset Password" << false
                                                << QList<bool>{false, true, true, true, false, true, true};
    QTest::newRow("key file alone") << 0 << int(VREL_CAP_KEYFILE_RESET) << "Reset Default Password" << false
                                    << QList<bool>{false, false, false, false, false, true, true};
    QTest::newRow("inactive state 2 with key file") << 2 << int(VREL_CAP_KEYFILE_RESET) << "Activate device" << true
                                                    << QList<bool>{false, false, false, false, false, true, true};
}

void TestPanelLayouts::singleDeviceModes()
{
    QFETCH(int, activation);
    QFETCH(int, capability);
    QFETCH(QString, title);
    QFETCH(bool, activateMode);
    QFETCH(QList<bool>, visible);
    PanelFixture f;
    TestDevice d;
    d.activation = activation;
    d.capability = capability;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    QCOMPARE(f.child<QLabel>("label_163")->text(), title);
    QCOMPARE(QtVrelTestAccess::ActivateMode(f.panel()), activateMode);
    checkVisible(f, {{"m_pDefaultPwdLEdit", visible[0]}, {"label_17", visible[0]},
                     {"edtNewPassword", visible[1]}, {"label_2", visible[1]},
                     {"m_pLabelLevel1", visible[2]}, {"m_pLabelLevel3", visible[2]},
                     {"edtConfirmPassword", visible[3]}, {"label_3", visible[3]},
                     {"pushButtonModifyPassword", visible[4]},
                     {"combExportFile", visible[5]}, {"btnExport", visible[5]},
                     {"combImportFile", visible[6]}, {"btnImport", visible[6]},
                     {"widgetBatch", false}, {"lineEditSerial", true}, {"checkBoxDhcp", true}});
}

void TestPanelLayouts::singleDeviceFields()
{
    PanelFixture f;
    TestDevice d;
    d.httpPort = 0;
    d.dhcp = 0;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    QCOMPARE(f.child<QLabel>("label_162")->text(), QStringLiteral("Modify Network parameters"));
    QCOMPARE(f.child<QLabel>("label_7")->text(), QStringLiteral("IP Address:"));
    QCOMPARE(f.edit("lineEditSerial")->text(), QString::fromLatin1(d.serial));
    QCOMPARE(f.edit("lineEditIPAddr")->text(), QString::fromLatin1(d.ipv4));
    QCOMPARE(f.edit("lineEditIPMask")->text(), QString::fromLatin1(d.mask));
    QCOMPARE(f.edit("lineEditPort")->text(), QStringLiteral("8000"));
    QCOMPARE(f.edit("lineEditIPGateway")->text(), QString::fromLatin1(d.gateway));
    QCOMPARE(f.edit("lineEditIPv6Addr")->text(), QString::fromLatin1(d.ipv6));
    QCOMPARE(f.edit("lineEditIPv6Mask")->text(), QStringLiteral("64"));
    // HTTP port 0 shows "0" in a disabled field.
    QCOMPARE(f.edit("lineEditHttpPort")->text(), QStringLiteral("0"));
    QVERIFY(!f.edit("lineEditHttpPort")->isEnabled());
    QVERIFY(f.edit("lineEditIPv6Addr")->isEnabled());   // capability bits 0 and 1
    QVERIFY(f.edit("lineEditIPAddr")->isEnabled());

    // DHCP on: address, mask and gateway are the device's business.
    TestDevice dhcp = FleetDevice(2);
    dhcp.dhcp = 1;
    f.report(dhcp, VREL_EVENT_FOUND);
    f.selectRows({1});
    QVERIFY(f.child<QCheckBox>("checkBoxDhcp")->isChecked());
    QVERIFY(!f.edit("lineEditIPAddr")->isEnabled());
    QVERIFY(!f.edit("lineEditIPGateway")->isEnabled());
    QVERIFY(!f.widget("frame")->isEnabled());
}

void TestPanelLayouts::fixedDeviceType()
{
    PanelFixture f;
    TestDevice d;
    d.type = 0x9E10;
    d.dhcp = 0;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    for (const char *name : {"lineEditPort", "m_pDefaultPwdLEdit", "lineEditPort_Password", "pushButtonModifyNetwork",
                             "pushButtonModifyPassword", "lineEditIPv6Addr", "lineEditIPv6Gateway", "combExportFile",
                             "btnExport", "btnImport"})
        QVERIFY2(!f.widget(name)->isEnabled(), name);
    // DHCP off gives the address fields back, but not the command.
    QVERIFY(f.edit("lineEditIPAddr")->isEnabled());
    QVERIFY(f.edit("lineEditIPGateway")->isEnabled());

    TestDevice normal = FleetDevice(3);
    normal.type = 0x9CFF;
    f.report(normal, VREL_EVENT_FOUND);
    f.selectRows({1});
    QVERIFY(f.widget("pushButtonModifyNetwork")->isEnabled());
}

void TestPanelLayouts::extendedFlagZero()
{
    PanelFixture f;
    TestDevice d;
    d.extended = 0;
    d.dhcp = 0;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    for (const char *name : {"lineEditIPGateway", "lineEditIPv6Addr", "lineEditIPv6Gateway", "lineEditIPv6Mask"})
        QVERIFY2(f.edit(name)->text().isEmpty(), name);
    QVERIFY(!f.edit("lineEditIPv6Addr")->isEnabled());
    QVERIFY(f.edit("lineEditIPGateway")->isEnabled());   // DHCP off enables it again, empty
}

void TestPanelLayouts::batchSelection()
{
    PanelFixture f;
    TestDevice a = FleetDevice(1);
    a.type = 0x9D01;
    TestDevice b = FleetDevice(2);
    b.dhcp = 1;
    f.report(a, VREL_EVENT_FOUND);
    f.report(b, VREL_EVENT_FOUND);
    f.selectRows({0, 1});
    QCOMPARE(f.child<QLabel>("label_162")->text(), QStringLiteral("Batch Modify Network parameters"));
    QCOMPARE(f.child<QLabel>("label_7")->text(), QStringLiteral("Start IP Address:"));
    QCOMPARE(f.child<QLabel>("label_163")->text(), QStringLiteral("Activate device"));
    QVERIFY(QtVrelTestAccess::ActivateMode(f.panel()));
    checkVisible(f, {{"lineEditSerial", false}, {"label_5", false}, {"checkBoxDhcp", false}, {"widgetBatch", true},
                     {"edtNewPassword", true}, {"edtConfirmPassword", true}, {"pushButtonModifyPassword", true},
                     {"m_pDefaultPwdLEdit", false}, {"combExportFile", false}});
    for (const char *name : {"lineEditIPAddr", "lineEditPort", "lineEditIPMask", "lineEditIPGateway",
                             "lineEditIPv6Addr", "lineEditHttpPort"})
        QVERIFY2(f.edit(name)->text().isEmpty(), name);
    QVERIFY(f.edit("lineEditIPAddr")->isEnabled());
    QVERIFY(!f.edit("lineEditIPv6Addr")->isEnabled());
    // The walk stopped at the second device (changeable and extended) before
    // looking at its DHCP state; the first device had DHCP off.
    QVERIFY(!f.child<QCheckBox>("checkBoxDhcp")->isChecked());

    // Only fixed types selected: nothing to change.
    TestDevice c = FleetDevice(3);
    c.type = 0x9F00;
    c.extended = 0;
    f.report(c, VREL_EVENT_FOUND);
    auto *batchDhcp = f.child<QCheckBox>("checkBoxBatchDhcp");
    batchDhcp->setChecked(true);
    f.selectRows({0, 2});
    QVERIFY(!f.edit("lineEditIPAddr")->isEnabled());
    QVERIFY(!f.edit("lineEditIPGateway")->isEnabled());
    QVERIFY(!f.widget("pushButtonModifyNetwork")->isEnabled());
}

void TestPanelLayouts::deselectingLastRowEmptiesPanel()
{
    PanelFixture f;
    TestDevice d;
    d.capability |= VREL_CAP_KEYFILE_RESET;
    f.report(d, VREL_EVENT_FOUND);
    f.selectRows({0});
    auto *exportBox = f.child<QComboBox>("combExportFile");
    exportBox->addItem(QStringLiteral("/tmp/"));
    f.selectRows({});
    for (const char *name : {"lineEditSerial", "lineEditIPAddr", "lineEditIPMask", "lineEditPort", "lineEditIPGateway",
                             "lineEditHttpPort"}) {
        QVERIFY2(!f.edit(name)->isEnabled(), name);
        QVERIFY2(f.edit(name)->text().isEmpty(), name);
    }
    QCOMPARE(exportBox->count(), 0);
    QVERIFY(!exportBox->isEnabled());
}

QTEST_MAIN(TestPanelLayouts)
#include "tst_panel_layouts.moc"
