// Devices coming and going as the device panel sees them through the
// discovery library: rows, IDs, the count and the device list stay in step,
// and a device that came back can be changed again.
#include <memory>

#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "DeviceAgent.h"
#include "FleetFile.h"
#include "LivePanel.h"
#include "PrivateNetwork.h"
#include "discovery/QtVrelItemModel.h"

using C = QtVrelItemModel;
using namespace e2e;

namespace {

constexpr int kFoundMs = 20000;
constexpr int kGoneMs = 10000;

} // namespace

class TestE2eDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void devicesLeaveAndComeBack();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DeviceAgent> m_first;
    std::unique_ptr<DeviceAgent> m_second;
};

void TestE2eDiscovery::cleanup()
{
    for (auto *agent : {&m_first, &m_second}) {
        if (*agent && QTest::currentTestFailed())
            qInfo().noquote() << "agent output:\n" << (*agent)->Output();
        agent->reset();
    }
    m_dir.reset();
}

void TestE2eDiscovery::devicesLeaveAndComeBack()
{
    E2E_REQUIRE_PRIVATE_NETWORK();
    m_dir = std::make_unique<QTemporaryDir>();
    // Two agents with MACs and serials of their own.
    FleetFile first(m_dir->filePath(QStringLiteral("first.json")));
    FleetFile second(m_dir->filePath(QStringLiteral("second.json")));
    QVERIFY(first.Generate(3, {QStringLiteral("--activation"), QStringLiteral("all")}));
    QVERIFY(second.Generate(2, {QStringLiteral("--activation"), QStringLiteral("all"), QStringLiteral("--mac-seed"),
                                QStringLiteral("2"), QStringLiteral("--serial-prefix"), QStringLiteral("VS"),
                                QStringLiteral("--base-ip"), QStringLiteral("192.168.2.64")}));
    m_first = std::make_unique<DeviceAgent>();
    m_second = std::make_unique<DeviceAgent>();
    QVERIFY(m_first->Start(first.Path()));
    QVERIFY(m_second->Start(second.Path()));

    LivePanel p;
    auto *count = p.Child<QLabel>("m_pLabelCount");
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 5, kFoundMs);
    QCOMPARE(count->text(), QStringLiteral("5"));

    // The first agent's devices say goodbye: their rows go, the rest renumber.
    QVERIFY(m_first->Stop());
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 2, kGoneMs);
    QCOMPARE(count->text(), QStringLiteral("2"));
    QCOMPARE(p.Panel()->DeviceList().size(), 2);
    for (int row = 0; row < 2; ++row) {
        QVERIFY(p.Cell(row, C::ColumnSerialNumber).startsWith(QLatin1String("VS")));
        QCOMPARE(p.Cell(row, C::ColumnId), QStringLiteral("%1").arg(row + 1, 3, 10, QLatin1Char('0')));
    }

    // They come back: one row and one list entry each, as before.
    QVERIFY(m_first->Start(first.Path()));
    QTRY_COMPARE_WITH_TIMEOUT(p.Rows(), 5, kFoundMs);
    QCOMPARE(count->text(), QStringLiteral("5"));
    QCOMPARE(p.Panel()->DeviceList().size(), 5);
    QStringList serials;
    for (int row = 0; row < 5; ++row)
        serials << p.Cell(row, C::ColumnSerialNumber);
    serials.removeDuplicates();
    QCOMPARE(serials.size(), 5);

    // A device that came back answers commands again.
    const int row = p.RowOf(first.Serial(0));
    QVERIFY(row >= 0);
    p.SelectRows({row});
    p.Edit("lineEditIPAddr")->setText(QStringLiteral("192.168.1.200"));
    p.Edit("lineEditPort_Password")->setText(QStringLiteral("Admin12345"));
    QVERIFY(p.Click("pushButtonModifyNetwork"));
    const auto messages = p.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).text,
             QStringLiteral("Modify network parameter succeed.ID:%1 ").arg(p.Cell(row, C::ColumnId)));
    QCOMPARE(first.Device(0).value(QStringLiteral("ipv4")).toString(), QStringLiteral("192.168.1.200"));
}

E2E_TEST_MAIN(TestE2eDiscovery)
#include "tst_e2e_discovery.moc"
