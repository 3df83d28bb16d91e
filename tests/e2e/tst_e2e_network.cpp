// Network commands from the device panel to simulated devices through the
// discovery library: activation followed by a new address, consecutive
// addresses for five devices (also over a lossy link), DHCP for three, a
// refused password, devices that no longer answer, and a device on a link of
// its own that really takes its new address.
#include <memory>

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "DeviceAgent.h"
#include "FleetFile.h"
#include "LivePanel.h"
#include "PrivateNetwork.h"
#include "app/CKelmoApplication.h"
#include "app/CKelmoStyle.h"
#include "discovery/QtVrelItemModel.h"
#include "widgets/CWarnDlg.h"

using C = QtVrelItemModel;
using namespace e2e;

namespace {

constexpr int kFoundMs = 20000;     // first discovery of a fleet
constexpr int kAnnounceMs = 10000;  // a device's report after a change
// The generator's administrator password of activated devices.
const char kAdminPassword[] = "Admin12345";

QString Str(const QJsonObject &device, const char *key)
{
    return device.value(QLatin1String(key)).toString();
}

// "Modify network parameter succeed." followed by the IDs, as the summary lists them.
QString Summary(const QString &sentence, const QStringList &ids)
{
    return ids.isEmpty() ? QString() : sentence + QStringLiteral("ID:") + ids.join(QLatin1Char(' ')) + QLatin1Char(' ');
}

// Pictures for the documentation look as the program does: with the skin
// from VREL_E2E_SKIN_DIR (a plugins/skins folder) when one is given.
void UseSkinForPictures()
{
    const QString skins = qEnvironmentVariable("VREL_E2E_SKIN_DIR");
    if (skins.isEmpty() || !CKelmoApplication::LoadSkinPlugin(QStringLiteral("default"), skins))
        return;
    QApplication::setStyle(new CKelmoStyle);
    QFile sheet(QStringLiteral(":/KelmoDesk/Qss/Qss/VREL.qss"));
    if (sheet.open(QIODevice::ReadOnly))
        qApp->setStyleSheet(QString::fromLatin1(sheet.readAll()));
}

} // namespace

class TestE2eNetwork : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void activateThenGiveNewAddress();
    void batchGivesConsecutiveAddresses();
    void batchSwitchesDhcpOn_data();
    void batchSwitchesDhcpOn();
    void wrongAdministratorPasswordChangesNothing();
    void silentDevicesFailTheCommand();
    void batchOnLossyLink();
    void deviceOnItsOwnLinkMovesToNewAddress();

private:
    // Writes a fleet of count devices (generator options, then per-device
    // fields) and starts an agent playing it.
    bool StartFleet(int count, const QStringList &options, const QList<QJsonObject> &patches = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FleetFile> m_fleet;
    std::unique_ptr<DeviceAgent> m_agent;
};

bool TestE2eNetwork::StartFleet(int count, const QStringList &options, const QList<QJsonObject> &patches)
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_fleet = std::make_unique<FleetFile>(m_dir->filePath(QStringLiteral("fleet.json")));
    if (!m_dir->isValid() || !m_fleet->Generate(count, options))
        return false;
    for (int i = 0; i < patches.size(); ++i) {
        if (!m_fleet->Patch(i, patches.at(i)))
            return false;
    }
    m_agent = std::make_unique<DeviceAgent>();
    return m_agent->Start(m_fleet->Path());
}

void TestE2eNetwork::cleanup()
{
    SetPacketLoss(0);
    qputenv("VREL_IFACE", "lo");
    if (m_agent) {
        // The agent's lines name devices and outcomes only; they help to see
        // what the devices were asked.
        if (QTest::currentTestFailed())
            qInfo().noquote() << "agent output:\n" << m_agent->Output();
        m_agent->Stop();
    }
    m_agent.reset();
    m_fleet.reset();
    m_dir.reset();
}

void TestE2eNetwork::activateThenGiveNewAddress()
{
    E2E_REQUIRE_PRIVATE_NETWORK();
    QVERIFY(StartFleet(1, {QStringLiteral("--activation"), QStringLiteral("none")}));
    const QString serial = m_fleet->Serial(0);
    const QString password = QStringLiteral("Cam2026first");

    {
        LivePanel p;
        QVERIFY(p.Panel()->IsDiscoveryRunning());
        QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 1, kFoundMs);
        QCOMPARE(p.Cell(0, C::ColumnSafetyState), QStringLiteral("Inactive"));

        // Activation: a new device offers only the new password.
        p.SelectRows({0});
        QVERIFY(p.Edit("edtNewPassword")->isVisible());
        QVERIFY(!p.Edit("m_pDefaultPwdLEdit")->isVisible());
        QTest::keyClicks(p.Edit("edtNewPassword"), password);
        QTest::keyClicks(p.Edit("edtConfirmPassword"), password);
        QVERIFY(p.Click("pushButtonModifyPassword"));
        auto messages = p.TakeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
        QCOMPARE(messages.at(0).text, QStringLiteral("The device is activated.ID:001 "));
        QCOMPARE(p.Cell(0, C::ColumnSafetyState), QStringLiteral("Active"));
        QVERIFY(m_fleet->Device(0).value(QStringLiteral("activated")).toBool());
        QVERIFY(Str(m_fleet->Device(0), "password") == password);
        // The device itself now reports that it is activated.
        QTRY_VERIFY_WITH_TIMEOUT(!p.Announcements(serial).isEmpty()
                                     && p.Announcements(serial).constLast().activation == 0,
                                 kAnnounceMs);

        // A new address with the password just given.
        p.SelectRows({0});
        p.Edit("lineEditIPAddr")->setText(QStringLiteral("10.20.30.40"));
        p.Edit("lineEditIPMask")->setText(QStringLiteral("255.255.0.0"));
        p.Edit("lineEditIPGateway")->setText(QStringLiteral("10.20.0.1"));
        p.Edit("lineEditPort")->setText(QStringLiteral("8010"));
        p.Edit("lineEditPort_Password")->setText(password);
        QVERIFY(!p.Child<QCheckBox>("checkBoxDhcp")->isChecked());
        QVERIFY(p.Click("pushButtonModifyNetwork"));
        messages = p.TakeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
        QCOMPARE(messages.at(0).text, QStringLiteral("Modify network parameter succeed.ID:001 "));

        // Stored by the device before it answered.
        const QJsonObject stored = m_fleet->Device(0);
        QCOMPARE(Str(stored, "ipv4"), QStringLiteral("10.20.30.40"));
        QCOMPARE(Str(stored, "mask"), QStringLiteral("255.255.0.0"));
        QCOMPARE(Str(stored, "gateway"), QStringLiteral("10.20.0.1"));
        QCOMPARE(stored.value(QStringLiteral("port")).toInt(), 8010);

        // The device announces itself at its new address; the row follows.
        QTRY_VERIFY_WITH_TIMEOUT(!p.Announcements(serial).isEmpty()
                                     && p.Announcements(serial).constLast().ipv4 == QStringLiteral("10.20.30.40"),
                                 kAnnounceMs);
        QCOMPARE(p.Rows(), 1);
        QCOMPARE(p.Cell(0, C::ColumnIPv4Address), QStringLiteral("10.20.30.40"));
        QCOMPARE(p.Cell(0, C::ColumnIPv4Mask), QStringLiteral("255.255.0.0"));
        QCOMPARE(p.Cell(0, C::ColumnIPv4Gateway), QStringLiteral("10.20.0.1"));
        QCOMPARE(p.Cell(0, C::ColumnPort), QStringLiteral(" 8010"));
    }

    // A new session of the program finds it there, activated.
    LivePanel again;
    QTRY_COMPARE_WITH_TIMEOUT(again.Rows(), 1, kFoundMs);
    QCOMPARE(again.Cell(0, C::ColumnSerialNumber), serial);
    QCOMPARE(again.Cell(0, C::ColumnIPv4Address), QStringLiteral("10.20.30.40"));
    QCOMPARE(again.Cell(0, C::ColumnIPv4Mask), QStringLiteral("255.255.0.0"));
    QCOMPARE(again.Cell(0, C::ColumnSafetyState), QStringLiteral("Active"));
}

void TestE2eNetwork::batchGivesConsecutiveAddresses()
{
    E2E_REQUIRE_PRIVATE_NETWORK();
    QVERIFY(StartFleet(5, {QStringLiteral("--activation"), QStringLiteral("all")}));
    const QString pictures = qEnvironmentVariable("VREL_E2E_SCREENSHOTS");
    if (!pictures.isEmpty())
        UseSkinForPictures();
    LivePanel p;
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 5, kFoundMs);

    p.SelectRows({0, 1, 2, 3, 4});
    QCOMPARE(p.Child<QLabel>("label_7")->text(), QStringLiteral("Start IP Address:"));
    QVERIFY(p.Edit("lineEditIPAddr")->text().isEmpty());
    p.Edit("lineEditIPAddr")->setText(QStringLiteral("10.0.5.20"));
    p.Edit("lineEditIPMask")->setText(QStringLiteral("255.255.255.0"));
    p.Edit("lineEditPort")->setText(QStringLiteral("8100"));
    // The batch layout empties the HTTP port but leaves it open: it wants one.
    p.Edit("lineEditHttpPort")->setText(QStringLiteral("8081"));
    p.Edit("lineEditPort_Password")->setText(QString::fromLatin1(kAdminPassword));

    QStringList ids;
    QStringList serials;
    for (int row = 0; row < 5; ++row) {
        ids << p.Cell(row, C::ColumnId);
        serials << p.Cell(row, C::ColumnSerialNumber);
    }
    // The summary is shown for real this time, and kept as a picture when asked.
    QString shownText;
    p.ShowNextMessageForReal([&](CWarnDlg *dialog) {
        const auto *browser = dialog->findChild<QWidget *>(QStringLiteral("m_pBrowserTxt"));
        QVERIFY(browser && browser->isVisible());
        if (pictures.isEmpty())
            return;
        // The panel with the message on top, where the user sees it.
        QPixmap shot = p.Panel()->grab();
        QPainter painter(&shot);
        painter.drawPixmap(dialog->mapToGlobal(QPoint(0, 0)) - p.Panel()->mapToGlobal(QPoint(0, 0)), dialog->grab());
        painter.end();
        QVERIFY(shot.save(QDir(pictures).filePath(QStringLiteral("batch-summary.png"))));
        QVERIFY(dialog->grab().save(QDir(pictures).filePath(QStringLiteral("batch-summary-dialog.png"))));
    });
    QVERIFY(p.Click("pushButtonModifyNetwork"));
    const auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text, Summary(QStringLiteral("Modify network parameter succeed."), ids));

    for (int n = 0; n < 5; ++n) {
        const QString address = QStringLiteral("10.0.5.%1").arg(20 + n);
        const QJsonObject stored = m_fleet->DeviceBySerial(serials.at(n));
        QCOMPARE(Str(stored, "ipv4"), address);
        QCOMPARE(Str(stored, "mask"), QStringLiteral("255.255.255.0"));
        QCOMPARE(stored.value(QStringLiteral("port")).toInt(), 8100);
        QCOMPARE(stored.value(QStringLiteral("httpPort")).toInt(), 8081);
        QTRY_VERIFY_WITH_TIMEOUT(!p.Announcements(serials.at(n)).isEmpty()
                                     && p.Announcements(serials.at(n)).constLast().ipv4 == address,
                                 kAnnounceMs);
        QCOMPARE(p.Cell(p.RowOf(serials.at(n)), C::ColumnIPv4Address), address);
    }
    QCOMPARE(p.Rows(), 5);
}

void TestE2eNetwork::batchSwitchesDhcpOn_data()
{
    // Capabilities of the third device: DHCP or not.
    QTest::addColumn<int>("thirdCapabilities");
    QTest::newRow("all three support DHCP") << 0x07;
    QTest::newRow("the third has no DHCP") << 0x03;
}

void TestE2eNetwork::batchSwitchesDhcpOn()
{
    QFETCH(int, thirdCapabilities);
    E2E_REQUIRE_PRIVATE_NETWORK();
    QVERIFY(StartFleet(3, {QStringLiteral("--activation"), QStringLiteral("all")},
                       {QJsonObject{}, QJsonObject{},
                        QJsonObject{{QStringLiteral("capabilities"), thirdCapabilities}}}));
    const bool thirdRefuses = !(thirdCapabilities & 0x04);
    LivePanel p;
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 3, kFoundMs);
    QStringList serials;
    QStringList addresses;
    QStringList accepted;
    QStringList refused;
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(p.Cell(row, C::ColumnIPv4Dhcp), QStringLiteral("OFF"));
        serials << p.Cell(row, C::ColumnSerialNumber);
        addresses << p.Cell(row, C::ColumnIPv4Address);
        const bool refuses = thirdRefuses && serials.constLast() == m_fleet->Serial(2);
        (refuses ? refused : accepted) << p.Cell(row, C::ColumnId);
    }

    p.SelectRows({0, 1, 2});
    auto *batchDhcp = p.Child<QCheckBox>("checkBoxBatchDhcp");
    QVERIFY(batchDhcp->isVisible());
    QTest::mouseClick(batchDhcp, Qt::LeftButton, Qt::NoModifier, QPoint(8, batchDhcp->height() / 2));
    QVERIFY(batchDhcp->isChecked());
    p.Edit("lineEditPort_BatchPassword")->setText(QString::fromLatin1(kAdminPassword));
    QVERIFY(p.Click("pushButtonModifyBatchNetwork"));
    const auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text, Summary(QStringLiteral("Modify network parameter succeed."), accepted)
                                      + Summary(QStringLiteral("Modify network parameter failed!"), refused));

    for (int n = 0; n < 3; ++n) {
        const bool refuses = thirdRefuses && serials.at(n) == m_fleet->Serial(2);
        const QJsonObject stored = m_fleet->DeviceBySerial(serials.at(n));
        QCOMPARE(stored.value(QStringLiteral("dhcp")).toBool(), !refuses);
        QCOMPARE(Str(stored, "ipv4"), addresses.at(n));   // the address stays as it was
        if (refuses)
            continue;
        // Only the device's own report turns the cell on.
        QTRY_COMPARE_WITH_TIMEOUT(p.Cell(p.RowOf(serials.at(n)), C::ColumnIPv4Dhcp), QStringLiteral("ON"),
                                  kAnnounceMs);
        QCOMPARE(p.Announcements(serials.at(n)).constLast().dhcp, 1);
    }
    if (thirdRefuses) {
        QCOMPARE(p.Cell(p.RowOf(m_fleet->Serial(2)), C::ColumnIPv4Dhcp), QStringLiteral("OFF"));
        QVERIFY(p.Announcements(m_fleet->Serial(2)).isEmpty());
    }
}

void TestE2eNetwork::wrongAdministratorPasswordChangesNothing()
{
    E2E_REQUIRE_PRIVATE_NETWORK();
    // The second device has another password than the one typed. (Kept out
    // of the checks' expressions, which a verbose run prints.)
    const QJsonObject otherPassword{{QStringLiteral("password"), QStringLiteral("Other54321x")}};
    QVERIFY(StartFleet(2, {QStringLiteral("--activation"), QStringLiteral("all")}, {QJsonObject{}, otherPassword}));
    const QString refusing = m_fleet->Serial(1);
    const QJsonObject before = m_fleet->Device(1);
    LivePanel p;
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 2, kFoundMs);
    const int refusingRow = p.RowOf(refusing);
    const int acceptingRow = 1 - refusingRow;
    const QString oldAddress = p.Cell(refusingRow, C::ColumnIPv4Address);

    p.SelectRows({0, 1});
    p.Edit("lineEditIPAddr")->setText(QStringLiteral("10.9.0.100"));
    p.Edit("lineEditIPMask")->setText(QStringLiteral("255.255.255.0"));
    p.Edit("lineEditPort")->setText(QStringLiteral("8000"));
    p.Edit("lineEditHttpPort")->setText(QStringLiteral("80"));
    p.Edit("lineEditPort_Password")->setText(QString::fromLatin1(kAdminPassword));
    QVERIFY(p.Click("pushButtonModifyNetwork"));
    const auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).title, QStringLiteral("Information"));
    QCOMPARE(messages.at(0).text,
             Summary(QStringLiteral("Modify network parameter succeed."), {p.Cell(acceptingRow, C::ColumnId)})
                 + Summary(QStringLiteral("Modify network parameter failed!"), {p.Cell(refusingRow, C::ColumnId)}));

    // The refusing device kept everything (compared quietly: the file holds
    // secrets); its row too.
    QVERIFY(m_fleet->Device(1) == before);
    QCOMPARE(p.Cell(refusingRow, C::ColumnIPv4Address), oldAddress);
    QCOMPARE(Str(m_fleet->Device(0), "ipv4"), QStringLiteral("10.9.0.%1").arg(100 + acceptingRow));
    // Give a late report the chance to arrive: the device must not have moved.
    QTRY_VERIFY_WITH_TIMEOUT(!p.Announcements(m_fleet->Serial(0)).isEmpty(), kAnnounceMs);
    QCOMPARE(p.Cell(refusingRow, C::ColumnIPv4Address), oldAddress);
    QVERIFY(p.Announcements(refusing).isEmpty());
}

void TestE2eNetwork::silentDevicesFailTheCommand()
{
    E2E_REQUIRE_PRIVATE_NETWORK();
    QVERIFY(StartFleet(2, {QStringLiteral("--activation"), QStringLiteral("all")}));
    const QJsonObject before0 = m_fleet->Device(0);
    const QJsonObject before1 = m_fleet->Device(1);
    LivePanel p;
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 2, kFoundMs);
    const QStringList ids{p.Cell(0, C::ColumnId), p.Cell(1, C::ColumnId)};

    // Gone without a goodbye: still listed, but nobody answers.
    m_agent->Kill();
    p.SelectRows({0, 1});
    p.Edit("lineEditIPAddr")->setText(QStringLiteral("10.7.0.10"));
    p.Edit("lineEditIPMask")->setText(QStringLiteral("255.255.255.0"));
    p.Edit("lineEditPort")->setText(QStringLiteral("8000"));
    p.Edit("lineEditHttpPort")->setText(QStringLiteral("80"));
    p.Edit("lineEditPort_Password")->setText(QString::fromLatin1(kAdminPassword));
    QVERIFY(p.Click("pushButtonModifyNetwork"));
    const auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, Summary(QStringLiteral("Modify network parameter failed!"), ids));
    QCOMPARE(p.Rows(), 2);
    QVERIFY(!p.Cell(0, C::ColumnIPv4Address).startsWith(QLatin1String("10.7.")));
    QVERIFY(!p.Cell(1, C::ColumnIPv4Address).startsWith(QLatin1String("10.7.")));
    QVERIFY(m_fleet->Device(0) == before0);
    QVERIFY(m_fleet->Device(1) == before1);
}

void TestE2eNetwork::batchOnLossyLink()
{
    E2E_REQUIRE_PRIVATE_NETWORK();
    // A fifth of all datagrams lost: discovery and commands retransmit.
    QVERIFY(SetPacketLoss(20));
    QVERIFY(StartFleet(5, {QStringLiteral("--activation"), QStringLiteral("all")}));
    LivePanel p;
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 5, kFoundMs);
    QStringList ids;
    QStringList serials;
    for (int row = 0; row < 5; ++row) {
        ids << p.Cell(row, C::ColumnId);
        serials << p.Cell(row, C::ColumnSerialNumber);
    }

    p.SelectRows({0, 1, 2, 3, 4});
    p.Edit("lineEditIPAddr")->setText(QStringLiteral("10.0.6.1"));
    p.Edit("lineEditIPMask")->setText(QStringLiteral("255.255.255.0"));
    p.Edit("lineEditPort")->setText(QStringLiteral("8000"));
    p.Edit("lineEditHttpPort")->setText(QStringLiteral("80"));
    p.Edit("lineEditPort_Password")->setText(QString::fromLatin1(kAdminPassword));
    QVERIFY(p.Click("pushButtonModifyNetwork"));
    const auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text, Summary(QStringLiteral("Modify network parameter succeed."), ids));
    for (int n = 0; n < 5; ++n)
        QCOMPARE(Str(m_fleet->DeviceBySerial(serials.at(n)), "ipv4"), QStringLiteral("10.0.6.%1").arg(1 + n));
    QCOMPARE(p.Rows(), 5);
}

void TestE2eNetwork::deviceOnItsOwnLinkMovesToNewAddress()
{
    E2E_REQUIRE_PRIVATE_NETWORK();
    // The device sits on a link of its own; the program's side of the link is
    // in another subnet and has no route to the device's.
    m_dir = std::make_unique<QTemporaryDir>();
    m_fleet = std::make_unique<FleetFile>(m_dir->filePath(QStringLiteral("fleet.json")));
    QVERIFY(m_fleet->Generate(1, {QStringLiteral("--activation"), QStringLiteral("all")}));
    m_agent = std::make_unique<DeviceAgent>();
    QVERIFY(m_agent->StartOnOwnLink(m_fleet->Path(), QStringLiteral("e2e0")));
    QVERIFY(RunInPrivateNetwork(QStringLiteral("ip addr add 172.31.0.1/24 dev e2e0")));
    qputenv("VREL_IFACE", "e2e0");
    const QString serial = m_fleet->Serial(0);
    QTRY_COMPARE_WITH_TIMEOUT(m_agent->LinkAddresses(), QStringList{QStringLiteral("192.168.1.64/24")}, kFoundMs);

    {
        LivePanel p;
        QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 1, kFoundMs);
        QCOMPARE(p.Cell(0, C::ColumnIPv4Address), QStringLiteral("192.168.1.64"));
        p.SelectRows({0});
        p.Edit("lineEditIPAddr")->setText(QStringLiteral("10.20.30.40"));
        p.Edit("lineEditIPMask")->setText(QStringLiteral("255.255.0.0"));
        p.Edit("lineEditIPGateway")->setText(QStringLiteral("10.20.0.1"));
        p.Edit("lineEditPort_Password")->setText(QString::fromLatin1(kAdminPassword));
        QVERIFY(p.Click("pushButtonModifyNetwork"));
        const auto messages = p.TakeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).text, QStringLiteral("Modify network parameter succeed.ID:001 "));

        // The device took the address on its link, and says so from there.
        QTRY_COMPARE_WITH_TIMEOUT(m_agent->LinkAddresses(), QStringList{QStringLiteral("10.20.30.40/16")}, kAnnounceMs);
        QTRY_VERIFY_WITH_TIMEOUT(!p.Announcements(serial).isEmpty()
                                     && p.Announcements(serial).constLast().ipv4 == QStringLiteral("10.20.30.40"),
                                 kAnnounceMs);
    }

    LivePanel again;
    QTRY_COMPARE_WITH_TIMEOUT(again.Rows(), 1, kFoundMs);
    QCOMPARE(again.Cell(0, C::ColumnIPv4Address), QStringLiteral("10.20.30.40"));
    QCOMPARE(again.Cell(0, C::ColumnIPv4Gateway), QStringLiteral("10.20.0.1"));
}

E2E_TEST_MAIN(TestE2eNetwork)
#include "tst_e2e_network.moc"
