// The bridge between the discovery library and the panel: record check,
// event dispatch, copying, threads, start and stop.
#include <atomic>
#include <cstring>
#include <thread>

#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include "PanelFixture.h"
#include "VrelDouble.h"
#include "discovery/DiscoveryCallback.h"
#include "discovery/QtVrelItemModel.h"
#include "discovery/VrelDeviceInfo.h"
#include "widgets/CTableView.h"

namespace {

constexpr size_t kCheckedOffsets[] = {0x000, 0x00C, 0x03C, 0x050, 0x060, 0x080, 0x0B0, 0x0E0};

// A record whose eight checked texts have no zero byte within 64 bytes. The
// last of them runs over the event code, so that holds no zero byte either.
VREL_CALLBACK_RECORD unterminatedRecord()
{
    VREL_CALLBACK_RECORD r = MakeRecord(TestDevice(), VREL_EVENT_FOUND);
    char *base = reinterpret_cast<char *>(&r);
    for (size_t offset : kCheckedOffsets)
        memset(base + offset, 'A', 64);
    return r;
}

} // namespace

class TestBridge : public QObject
{
    Q_OBJECT

private slots:
    void recordCheck_data();
    void recordCheck();
    void eventDispatch_data();
    void eventDispatch();
    void fullWidthTextsAreCopiedWhole();
    void deviceFoundTwiceIsListedTwice();
    void libraryThreadRecordsArriveInOrderWhileLocked();
    void startSteps();
    void failedStartLeavesPanelIdle_data();
    void failedStartLeavesPanelIdle();
    void callbackAfterPanelIsGoneIsHarmless();
    void destructionWhileCallbacksRun();
};

void TestBridge::recordCheck_data()
{
    QTest::addColumn<int>("shortTextAt");   // -1: none
    QTest::addColumn<bool>("processed");
    QTest::newRow("all eight unterminated") << -1 << false;
    for (size_t offset : kCheckedOffsets)
        QTest::addRow("short text at 0x%03zx", offset) << int(offset) << true;
}

void TestBridge::recordCheck()
{
    QFETCH(int, shortTextAt);
    QFETCH(bool, processed);
    VREL_CALLBACK_RECORD r = unterminatedRecord();
    if (shortTextAt >= 0)
        reinterpret_cast<char *>(&r)[shortTextAt + 63] = '\0';
    QCOMPARE(RecordPassesCheck(&r), processed);

    // Dispatched as a found device when it passes.
    if (processed)
        r.nEvent = VREL_EVENT_FOUND;
    PanelFixture f;
    QSignalSpy online(f.panel(), &QtVrel::DeviceOnlineSignal);
    DiscoveryCallback(&r, nullptr);
    QCOMPARE(online.count(), processed ? 1 : 0);
    QCOMPARE(f.rows(), processed ? 1 : 0);
}

void TestBridge::eventDispatch_data()
{
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("online");
    QTest::addColumn<int>("update");
    QTest::addColumn<int>("offline");
    QTest::newRow("1 found") << 1 << 1 << 0 << 0;
    QTest::newRow("4 found") << 4 << 1 << 0 << 0;
    QTest::newRow("2 changed") << 2 << 0 << 1 << 0;
    QTest::newRow("3 gone") << 3 << 0 << 0 << 1;
    QTest::newRow("0 ignored") << 0 << 0 << 0 << 0;
    QTest::newRow("5 ignored") << 5 << 0 << 0 << 0;
    QTest::newRow("-1 ignored") << -1 << 0 << 0 << 0;
}

void TestBridge::eventDispatch()
{
    QFETCH(int, event);
    QFETCH(int, online);
    QFETCH(int, update);
    QFETCH(int, offline);
    PanelFixture f;
    QSignalSpy onlineSpy(f.panel(), &QtVrel::DeviceOnlineSignal);
    QSignalSpy updateSpy(f.panel(), &QtVrel::DeviceUpdateSignal);
    QSignalSpy offlineSpy(f.panel(), &QtVrel::DeviceOfflineSignal);
    TestDevice d;
    f.report(d, event);
    QCOMPARE(onlineSpy.count(), online);
    QCOMPARE(updateSpy.count(), update);
    QCOMPARE(offlineSpy.count(), offline);
    // Only a found event touches the list in the callback.
    QCOMPARE(int(f.panel()->DeviceList().size()), online);
    if (offline) {
        QCOMPARE(offlineSpy.at(0).at(0).toString(), QString::fromLatin1(d.serial));
        QCOMPARE(offlineSpy.at(0).at(1).toString(), QString::fromLatin1(d.mac));
    }
    if (online) {
        const auto info = onlineSpy.at(0).at(0).value<VREL_DEVICE_INFO_MY>();
        QCOMPARE(FieldText(info.szSerialNo), QString::fromLatin1(d.serial));
        QCOMPARE(info.nHttpPort, 80);
    }
}

void TestBridge::fullWidthTextsAreCopiedWhole()
{
    TestDevice d;
    d.serial = QByteArray(48, 'S');
    d.mac = QByteArray(20, 'M');
    d.ipv4 = "10.1.2.3";
    d.softwareVersion = QByteArray(48, 'V');
    d.description = QByteArray(24, 'D');
    d.ipv6 = QByteArray(46, 'f');
    VREL_CALLBACK_RECORD r = MakeRecord(d, VREL_EVENT_FOUND);
    // The text after the serial number starts with a non-zero byte, so a
    // reader that looked past the field's width would pick it up.
    QCOMPARE(r.szMac[0], 'M');

    const VREL_DEVICE_INFO_MY info = DeviceInfoFromRecord(r);
    QCOMPARE(FieldBytes(info.szSerialNo), d.serial);
    QCOMPARE(FieldBytes(info.szMac), d.mac);
    QCOMPARE(FieldBytes(info.szSoftwareVersion), d.softwareVersion);
    QCOMPARE(FieldBytes(info.szDeviceDescription), d.description);
    QCOMPARE(FieldBytes(info.szIPv6Address), d.ipv6);

    PanelFixture f;
    DiscoveryCallback(&r, nullptr);
    QCOMPARE(f.rows(), 1);
    QCOMPARE(f.cell(0, QtVrelItemModel::ColumnSerialNumber), QString(48, QLatin1Char('S')));
    QCOMPARE(f.cell(0, QtVrelItemModel::ColumnMac), QString(20, QLatin1Char('M')));
    QCOMPARE(f.cell(0, QtVrelItemModel::ColumnDeviceType), QString(24, QLatin1Char('D')));
}

void TestBridge::deviceFoundTwiceIsListedTwice()
{
    PanelFixture f;
    TestDevice d;
    f.report(d, VREL_EVENT_FOUND);
    f.report(d, VREL_EVENT_FOUND_AGAIN);
    QCOMPARE(f.panel()->DeviceList().size(), 2);
    QCOMPARE(f.rows(), 2);
}

void TestBridge::libraryThreadRecordsArriveInOrderWhileLocked()
{
    PanelFixture f;
    QVERIFY(VrelDouble::isStarted());

    // The GUI thread holds the list's lock while the library reports: the
    // found callbacks must wait, and everything must still arrive in order.
    QtVrelTestAccess::Lock(f.panel());
    for (int i = 1; i <= 60; ++i)
        VrelDouble::inject(MakeRecord(FleetDevice(i), VREL_EVENT_FOUND));
    QTest::qWait(50);
    QCOMPARE(f.rows(), 0);
    QtVrelTestAccess::Unlock(f.panel());

    QVERIFY(VrelDouble::waitDelivered());
    QTRY_COMPARE(f.rows(), 60);
    for (int i = 0; i < 60; ++i)
        QCOMPARE(f.cell(i, QtVrelItemModel::ColumnSerialNumber), QString::fromLatin1(FleetDevice(i + 1).serial));

    // Changes and removals queue behind the founds and keep their order too.
    for (int i = 1; i <= 60; i += 2) {
        TestDevice d = FleetDevice(i);
        d.ipv4 = "172.16.0.9";
        VrelDouble::inject(MakeRecord(d, VREL_EVENT_CHANGED));
        VrelDouble::inject(MakeRecord(FleetDevice(i), VREL_EVENT_GONE));
    }
    QVERIFY(VrelDouble::waitDelivered());
    QTRY_COMPARE(f.rows(), 30);
    for (int i = 0; i < 30; ++i) {
        QCOMPARE(f.cell(i, QtVrelItemModel::ColumnSerialNumber), QString::fromLatin1(FleetDevice(2 * i + 2).serial));
        QCOMPARE(f.cell(i, QtVrelItemModel::ColumnId), QString::asprintf("%03d", i + 1));
    }
    QCOMPARE(f.panel()->DeviceList().size(), 30);
}

void TestBridge::startSteps()
{
    PanelFixture f;
    QVERIFY(f.panel()->IsDiscoveryRunning());
    const auto calls = VrelDouble::calls();
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0).function, QStringLiteral("VREL_Start_V30"));
    QCOMPARE(calls.at(0).args.value(QStringLiteral("callback")).toBool(), true);
    QCOMPARE(calls.at(0).args.value(QStringLiteral("mode")).toInt(), 1);
    QCOMPARE(calls.at(0).args.value(QStringLiteral("user")).toULongLong(), 0ULL);
    QCOMPARE(calls.at(1).function, QStringLiteral("VREL_SendInquiry"));
    QVERIFY(VrelDouble::callback() == &DiscoveryCallback);

    auto *view = f.child<CTableView>("tableWidgetDevice");
    QVERIFY(view->isColumnHidden(QtVrelItemModel::ColumnNew));

    f.click("pushButtonManualUpdate");
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_SendInquiry")), 2);

    f.destroyPanel();
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_Stop")), 1);
    QVERIFY(!VrelDouble::isStarted());
}

void TestBridge::failedStartLeavesPanelIdle_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("startCalls");
    QTest::newRow("no packet capture library") << int(PanelFixture::Start::NoPacketLibrary) << 0;
    QTest::newRow("start refused") << int(PanelFixture::Start::StartRefused) << 1;
}

void TestBridge::failedStartLeavesPanelIdle()
{
    QFETCH(int, start);
    QFETCH(int, startCalls);
    PanelFixture f(static_cast<PanelFixture::Start>(start));
    QVERIFY(!f.panel()->IsDiscoveryRunning());
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_Start_V30")), startCalls);
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_SendInquiry")), 0);
    QVERIFY(f.takeMessages().isEmpty());
    QCOMPARE(f.rows(), 0);

    // The later construction steps did not run: fields enabled, batch row and
    // key-file rows shown, column 21 visible.
    QVERIFY(f.edit("lineEditIPAddr")->isEnabled());
    QVERIFY(!f.edit("lineEditIPv6Addr")->isEnabled());
    QVERIFY(f.widget("widgetBatch")->isVisible());
    QVERIFY(f.widget("combExportFile")->isVisible());
    QVERIFY(f.widget("btnImport")->isVisible());
    QVERIFY(!f.child<CTableView>("tableWidgetDevice")->isColumnHidden(QtVrelItemModel::ColumnNew));
    QCOMPARE(f.edit("edtNewPassword")->maxLength(), 32767);

    f.click("pushButtonManualUpdate");
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_SendInquiry")), 1);

    // Records from elsewhere (a host program) are still handled.
    f.report(TestDevice(), VREL_EVENT_FOUND);
    QCOMPARE(f.rows(), 1);

    f.destroyPanel();
    QCOMPARE(VrelDouble::callCount(QStringLiteral("VREL_Stop")), 0);
}

void TestBridge::callbackAfterPanelIsGoneIsHarmless()
{
    const VREL_CALLBACK_RECORD found = MakeRecord(TestDevice(), VREL_EVENT_FOUND);
    const VREL_CALLBACK_RECORD gone = MakeRecord(TestDevice(), VREL_EVENT_GONE);
    {
        PanelFixture f;
        f.report(TestDevice(), VREL_EVENT_FOUND);
    }
    QVERIFY(g_pDevicePanel == nullptr);
    DiscoveryCallback(&found, nullptr);
    DiscoveryCallback(&gone, nullptr);
    DiscoveryCallback(nullptr, nullptr);
    std::thread host([&] {
        DiscoveryCallback(&found, nullptr);
        DiscoveryCallback(&gone, nullptr);
    });
    host.join();
    QCoreApplication::processEvents();
}

void TestBridge::destructionWhileCallbacksRun()
{
    // A host thread keeps reporting while the panel is destroyed.
    for (int round = 0; round < 5; ++round) {
        auto f = std::make_unique<PanelFixture>();
        std::atomic<bool> stop{false};
        std::thread host([&] {
            int n = 0;
            while (!stop) {
                ++n;
                const VREL_CALLBACK_RECORD r = MakeRecord(FleetDevice(n % 50), (n % 3) + 1);
                DiscoveryCallback(&r, nullptr);
            }
        });
        QTest::qWait(20);
        f->destroyPanel();
        QTest::qWait(5);
        stop = true;
        host.join();
        f.reset();
        QCoreApplication::processEvents();
    }
}

QTEST_MAIN(TestBridge)
#include "tst_bridge.moc"
