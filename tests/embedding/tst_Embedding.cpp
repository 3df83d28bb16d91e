// The entry points a host program calls, with the host's own application
// object and layouts, over the scripted discovery library.
//
// The module keeps one window per process, so the cases run in the order
// they are declared: before any window, the first window, a second host,
// the host destroying it, and a fresh window after that.
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QStandardItemModel>
#include <QStyle>
#include <QTest>

#include "app/CAPT_VRELMainWnd.h"
#include "app/CWindowTitle.h"
#include "app/VrelExport.h"
#include "discovery/QtVrelItemModel.h"
#include "panel/QtVrel.h"
#include "widgets/CWarnDlg.h"
#include "TestRecords.h"
#include "VrelDouble.h"

namespace {

// A host window with a layout of its own: a label of the host below the
// place where the tool goes.
struct Host
{
    Host()
    {
        widget = std::make_unique<QWidget>();
        widget->resize(1100, 900);
        layout = new QGridLayout(widget.get());
        layout->addWidget(new QLabel(QStringLiteral("host status"), widget.get()), 1, 0);
        widget->show();
    }

    std::unique_ptr<QWidget> widget;
    QGridLayout *layout = nullptr;
};

QList<CAPT_VRELMainWnd *> MainWindows()
{
    QList<CAPT_VRELMainWnd *> found;
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *w : widgets) {
        if (auto *window = qobject_cast<CAPT_VRELMainWnd *>(w))
            found.append(window);
    }
    return found;
}

class StyleChangeCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::StyleChange)
            ++count;
        return false;
    }
};

QStandardItemModel *TableOf(CAPT_VRELMainWnd *window)
{
    return window->DevicePanel()->Model();
}

QString Cell(CAPT_VRELMainWnd *window, int row, int column)
{
    const QStandardItem *item = TableOf(window)->item(row, column);
    return item ? item->text() : QString();
}

QStringList Serials(CAPT_VRELMainWnd *window)
{
    QStringList serials;
    for (int row = 0; row < TableOf(window)->rowCount(); ++row)
        serials << Cell(window, row, QtVrelItemModel::ColumnSerialNumber);
    return serials;
}

} // namespace

class tst_Embedding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void callsBeforeOpenDoNothing();
    void openFromAnotherThreadIsRefused();
    void openShowsTheWindowInTheHostLayout();
    void secondOpenMovesTheSameWindow();
    void titleBarFollowsLowByte_data();
    void titleBarFollowsLowByte();
    void changeSizeRestylesOnlyOnChange();
    void changeSizeFromAnotherThread();
    void recordsReachTheTableWithoutDiscovery();
    void recordsFromAWorkerArriveInOrder();
    void callsAfterTheHostDestroyedTheWindowDoNothing();
    void openAfterDestructionBuildsAFreshWindow();
    void hostDestroyedWhileAWorkerFeeds();

private:
    QPointer<CAPT_VRELMainWnd> m_window;
    std::unique_ptr<Host> m_host;
    QString m_styleName;
    QFont m_font;
};

void tst_Embedding::initTestCase()
{
    // The first window comes up without discovery: no packet capture library.
    VrelDouble::reset();
    qputenv("VREL_PACKET_LIBRARY", "libvrel-no-such-library.so");
    CWarnDlg::SetTestHook([](const QString &, const QString &) { return 1; });
    m_styleName = QString::fromLatin1(QApplication::style()->metaObject()->className());
    m_font = QApplication::font();
}

void tst_Embedding::cleanupTestCase()
{
    m_host.reset();
    CWarnDlg::SetTestHook(nullptr);
    VrelDouble::reset();
}

void tst_Embedding::callsBeforeOpenDoNothing()
{
    const VREL_CALLBACK_RECORD record = MakeRecord(FleetDevice(1), VREL_EVENT_FOUND);
    APT_VREL_ChangeSize(0);
    APT_VREL_ChangeSize(1);
    APT_VREL_CallBack(&record);
    APT_VREL_CallBack(nullptr);
    std::thread worker([&record] { APT_VREL_CallBack(&record); });
    worker.join();
    QCoreApplication::processEvents();
    QVERIFY(MainWindows().isEmpty());
}

void tst_Embedding::openFromAnotherThreadIsRefused()
{
    Host host;
    bool opened = true;
    std::thread worker([&] { opened = APT_VREL_OpenDialog(host.widget.get(), host.layout, 1, 0, 0, 0); });
    worker.join();
    QVERIFY(!opened);
    QVERIFY(MainWindows().isEmpty());
}

void tst_Embedding::openShowsTheWindowInTheHostLayout()
{
    m_host = std::make_unique<Host>();
    QVERIFY(APT_VREL_OpenDialog(m_host->widget.get(), m_host->layout, 1, 7, 8, 9));

    const QList<CAPT_VRELMainWnd *> windows = MainWindows();
    QCOMPARE(windows.size(), 1);
    m_window = windows.first();
    QCOMPARE(m_window->parentWidget(), m_host->widget.get());
    QVERIFY(!m_window->isWindow());
    QCOMPARE(m_host->layout->itemAtPosition(0, 0)->widget(), m_window.data());
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->TitleBar()->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(m_host->widget.get()));
    // Inside the host's window, not a window of its own.
    QCOMPARE(m_window->window(), m_host->widget.get());
    QCOMPARE(m_window->geometry().topLeft(), m_host->layout->cellRect(0, 0).topLeft());

    // The host's application keeps its own look.
    QCOMPARE(QString::fromLatin1(QApplication::style()->metaObject()->className()), m_styleName);
    QVERIFY(qApp->styleSheet().isEmpty());
    QCOMPARE(QApplication::font(), m_font);
    QVERIFY(!m_window->DevicePanel()->IsDiscoveryRunning());
}

void tst_Embedding::secondOpenMovesTheSameWindow()
{
    QVERIFY(m_window);
    auto second = std::make_unique<Host>();
    QVERIFY(APT_VREL_OpenDialog(second->widget.get(), second->layout, 1, 0, 0, 0));

    QCOMPARE(MainWindows(), QList<CAPT_VRELMainWnd *>{m_window.data()});
    QCOMPARE(m_window->parentWidget(), second->widget.get());
    QCOMPARE(second->layout->itemAtPosition(0, 0)->widget(), m_window.data());
    QCOMPARE(m_host->layout->indexOf(m_window.data()), -1);
    QVERIFY(m_window->isVisible());

    // The same layout again: still one item for it.
    const int items = second->layout->count();
    QVERIFY(APT_VREL_OpenDialog(second->widget.get(), second->layout, 1, 0, 0, 0));
    QCOMPARE(second->layout->count(), items);
    QCOMPARE(second->layout->itemAtPosition(0, 0)->widget(), m_window.data());

    // The second host becomes the one the rest of the cases use.
    m_host = std::move(second);
    QCOMPARE(MainWindows().size(), 1);
}

void tst_Embedding::titleBarFollowsLowByte_data()
{
    QTest::addColumn<unsigned int>("showTitle");
    QTest::addColumn<bool>("visible");
    QTest::newRow("0 hides") << 0u << false;
    QTest::newRow("1 shows") << 1u << true;
    QTest::newRow("0xFF shows") << 0xFFu << true;
    QTest::newRow("0x100: low byte 0 hides") << 0x100u << false;
    QTest::newRow("0x101 shows") << 0x101u << true;
    QTest::newRow("0xFFFFFF00 hides") << 0xFFFFFF00u << false;
}

void tst_Embedding::titleBarFollowsLowByte()
{
    QFETCH(unsigned int, showTitle);
    QFETCH(bool, visible);
    QVERIFY(m_window);

    // Start from the other state so that each row shows a change.
    QVERIFY(APT_VREL_OpenDialog(m_host->widget.get(), m_host->layout, visible ? 0u : 1u, 0, 0, 0));
    QCOMPARE(m_window->TitleBar()->isVisible(), !visible);

    QVERIFY(APT_VREL_OpenDialog(m_host->widget.get(), m_host->layout, showTitle, 0, 0, 0));
    QCOMPARE(m_window->TitleBar()->isVisible(), visible);
    QCOMPARE(MainWindows().size(), 1);
}

void tst_Embedding::changeSizeRestylesOnlyOnChange()
{
    QVERIFY(m_window);
    QVERIFY(m_window->IsFullStyle());
    StyleChangeCounter counter;
    m_window->installEventFilter(&counter);

    APT_VREL_ChangeSize(0);
    QVERIFY(!m_window->IsFullStyle());
    QCOMPARE(m_window->styleSheet(), CAPT_VRELMainWnd::CompactWindowSheet());
    QVERIFY(counter.count > 0);

    counter.count = 0;
    APT_VREL_ChangeSize(0);
    APT_VREL_ChangeSize(0x100);   // only the low byte counts
    QCOMPARE(counter.count, 0);
    QVERIFY(!m_window->IsFullStyle());

    APT_VREL_ChangeSize(0x101);
    QVERIFY(m_window->IsFullStyle());
    QCOMPARE(m_window->styleSheet(), CAPT_VRELMainWnd::FullWindowSheet());
    QVERIFY(counter.count > 0);
    m_window->removeEventFilter(&counter);
}

void tst_Embedding::changeSizeFromAnotherThread()
{
    QVERIFY(m_window);
    QVERIFY(m_window->IsFullStyle());
    std::thread worker([] { APT_VREL_ChangeSize(0); });
    worker.join();
    QTRY_VERIFY(!m_window->IsFullStyle());
    APT_VREL_ChangeSize(1);
    QVERIFY(m_window->IsFullStyle());
}

void tst_Embedding::recordsReachTheTableWithoutDiscovery()
{
    QVERIFY(m_window);
    QVERIFY(!m_window->DevicePanel()->IsDiscoveryRunning());
    QCOMPARE(TableOf(m_window)->rowCount(), 0);

    TestDevice device = FleetDevice(7);
    VREL_CALLBACK_RECORD record = MakeRecord(device, VREL_EVENT_FOUND);
    APT_VREL_CallBack(&record);
    // The host may reuse its record as soon as the call returns.
    memset(&record, 'x', sizeof record);
    QTRY_COMPARE(TableOf(m_window)->rowCount(), 1);
    QCOMPARE(Cell(m_window, 0, QtVrelItemModel::ColumnSerialNumber), QString::fromLatin1(device.serial));
    QCOMPARE(Cell(m_window, 0, QtVrelItemModel::ColumnMac), QString::fromLatin1(device.mac));
    QCOMPARE(Cell(m_window, 0, QtVrelItemModel::ColumnIPv4Address), QString::fromLatin1(device.ipv4));

    // A record none of whose texts ends in its field is dropped; so is the
    // memory the host scribbled over.
    APT_VREL_CallBack(&record);
    APT_VREL_CallBack(nullptr);
    QCoreApplication::processEvents();
    QCOMPARE(TableOf(m_window)->rowCount(), 1);

    const VREL_CALLBACK_RECORD gone = MakeRecord(device, VREL_EVENT_GONE);
    APT_VREL_CallBack(&gone);
    QTRY_COMPARE(TableOf(m_window)->rowCount(), 0);
}

void tst_Embedding::recordsFromAWorkerArriveInOrder()
{
    QVERIFY(m_window);
    QCOMPARE(TableOf(m_window)->rowCount(), 0);
    const int count = 60;

    // Found, then gone for the odd ones, then a new address for the even
    // ones: any reordering leaves a device behind or an old address.
    std::thread worker([count] {
        for (int n = 1; n <= count; ++n) {
            const VREL_CALLBACK_RECORD r = MakeRecord(FleetDevice(n), VREL_EVENT_FOUND);
            APT_VREL_CallBack(&r);
        }
        for (int n = 1; n <= count; n += 2) {
            const VREL_CALLBACK_RECORD r = MakeRecord(FleetDevice(n), VREL_EVENT_GONE);
            APT_VREL_CallBack(&r);
        }
        for (int n = 2; n <= count; n += 2) {
            TestDevice d = FleetDevice(n);
            d.ipv4 = QByteArray("172.16.0.") + QByteArray::number(n);
            const VREL_CALLBACK_RECORD r = MakeRecord(d, VREL_EVENT_CHANGED);
            APT_VREL_CallBack(&r);
        }
    });
    worker.join();

    QStringList expected;
    for (int n = 2; n <= count; n += 2)
        expected << QString::fromLatin1(FleetDevice(n).serial);
    QTRY_COMPARE(Serials(m_window), expected);
    QTRY_COMPARE(Cell(m_window, expected.size() - 1, QtVrelItemModel::ColumnIPv4Address),
                 QStringLiteral("172.16.0.%1").arg(count));
    for (int row = 0; row < expected.size(); ++row)
        QCOMPARE(Cell(m_window, row, QtVrelItemModel::ColumnIPv4Address), QStringLiteral("172.16.0.%1").arg(2 * (row + 1)));
}

void tst_Embedding::callsAfterTheHostDestroyedTheWindowDoNothing()
{
    QVERIFY(m_window);
    m_host.reset();   // takes the window with it
    QVERIFY(!m_window);
    QVERIFY(MainWindows().isEmpty());

    const VREL_CALLBACK_RECORD record = MakeRecord(FleetDevice(3), VREL_EVENT_FOUND);
    APT_VREL_ChangeSize(0);
    APT_VREL_ChangeSize(1);
    APT_VREL_CallBack(&record);
    APT_VREL_CallBack(nullptr);
    std::thread worker([&record] {
        APT_VREL_CallBack(&record);
        APT_VREL_ChangeSize(0);
    });
    worker.join();
    QCoreApplication::processEvents();
    QVERIFY(MainWindows().isEmpty());
}

void tst_Embedding::openAfterDestructionBuildsAFreshWindow()
{
    // This time the discovery library starts.
    VrelDouble::reset();
    qputenv("VREL_PACKET_LIBRARY", "libc.so.6");

    m_host = std::make_unique<Host>();
    QVERIFY(APT_VREL_OpenDialog(m_host->widget.get(), m_host->layout, 0, 0, 0, 0));
    const QList<CAPT_VRELMainWnd *> windows = MainWindows();
    QCOMPARE(windows.size(), 1);
    m_window = windows.first();
    QVERIFY(!m_window->TitleBar()->isVisible());
    QVERIFY(m_window->DevicePanel()->IsDiscoveryRunning());
    QVERIFY(VrelDouble::isStarted());

    // The host's records and the library's meet in the same table.
    const VREL_CALLBACK_RECORD fromHost = MakeRecord(FleetDevice(1), VREL_EVENT_FOUND);
    APT_VREL_CallBack(&fromHost);
    QTRY_COMPARE(TableOf(m_window)->rowCount(), 1);
    VrelDouble::inject(MakeRecord(FleetDevice(2), VREL_EVENT_FOUND));
    QVERIFY(VrelDouble::waitDelivered());
    QTRY_COMPARE(Serials(m_window), (QStringList{QString::fromLatin1(FleetDevice(1).serial),
                                                 QString::fromLatin1(FleetDevice(2).serial)}));

    m_host.reset();
    QVERIFY(!m_window);
    QVERIFY(!VrelDouble::isStarted());
}

void tst_Embedding::hostDestroyedWhileAWorkerFeeds()
{
    m_host = std::make_unique<Host>();
    QVERIFY(APT_VREL_OpenDialog(m_host->widget.get(), m_host->layout, 1, 0, 0, 0));
    m_window = MainWindows().value(0);
    QVERIFY(m_window);

    // A careless host keeps feeding while it tears its window down.
    std::atomic<bool> stop{false};
    std::atomic<int> fed{0};
    std::thread worker([&] {
        for (int n = 1; !stop; n = n % 500 + 1) {
            const VREL_CALLBACK_RECORD r = MakeRecord(FleetDevice(n), n % 2 ? VREL_EVENT_FOUND : VREL_EVENT_GONE);
            APT_VREL_CallBack(&r);
            APT_VREL_ChangeSize(n % 3 != 0);
            ++fed;
        }
    });
    QTRY_VERIFY(TableOf(m_window)->rowCount() > 0);
    m_host.reset();
    const int fedAtDestruction = fed;
    QTRY_VERIFY(fed > fedAtDestruction + 100);   // still calling after the window went
    stop = true;
    worker.join();
    QCoreApplication::processEvents();
    QVERIFY(!m_window);
    QVERIFY(MainWindows().isEmpty());
}

QTEST_MAIN(tst_Embedding)
#include "tst_Embedding.moc"
