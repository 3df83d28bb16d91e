// Field-hint tooltip: timing, reuse, hiding and placement.
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "widgets/CToolLabel.h"
#include "widgets/CToolTip.h"
#include "widgets/ToolTipRules.h"

class TestToolTip : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void expireTime_data();
    void expireTime();
    void displayTimeFollowsText();

    void placement_data();
    void placement();
    void placedNearScreenEdges();

    void sameTextIsNotMovedOrRestarted();
    void otherTextReusesVisibleTip();
    void hiddenTipIsNotReused();
    void emptyText();

    void typingAndClickingKeepTip();
    void leaveHidesAfterDelay();
    void windowActivationHidesAtOnce_data();
    void windowActivationHidesAtOnce();
    void expiresOnItsOwn();
    void tipRectNeedsWidget();
};

void TestToolTip::cleanup()
{
    delete CToolLabel::Instance();
    QVERIFY(!CToolLabel::Instance());
}

void TestToolTip::expireTime_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("ms");
    QTest::newRow("empty") << 0 << 8000;
    QTest::newRow("100") << 100 << 8000;
    QTest::newRow("101") << 101 << 8040;
    QTest::newRow("150") << 150 << 10000;
}

void TestToolTip::expireTime()
{
    QFETCH(int, length);
    QFETCH(int, ms);
    QCOMPARE(ToolTipExpireMs(length), ms);
}

void TestToolTip::displayTimeFollowsText()
{
    CToolTip::ShowText(QPoint(100, 100), QString(150, QLatin1Char('x')));
    QVERIFY(CToolTip::IsVisible());
    QCOMPARE(CToolLabel::Instance()->ExpireInterval(), 10000);
    CToolTip::ShowText(QPoint(100, 100), QString(100, QLatin1Char('y')));
    QCOMPARE(CToolLabel::Instance()->ExpireInterval(), 8000);
}

void TestToolTip::placement_data()
{
    QTest::addColumn<QPoint>("globalPos");
    QTest::addColumn<QSize>("tipSize");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("expected");

    const QRect screen(0, 0, 1280, 1024);
    const QSize tip(200, 30);
    QTest::newRow("middle") << QPoint(500, 400) << tip << screen << QPoint(502, 421);
    QTest::newRow("right edge: left of the point") << QPoint(1200, 400) << tip << screen << QPoint(1200 + 2 - 204, 421);
    QTest::newRow("bottom edge: above the point") << QPoint(500, 1000) << tip << screen << QPoint(502, 1021 - 54);
    QTest::newRow("corner") << QPoint(1279, 1023) << tip << screen << QPoint(1077, 990);
    QTest::newRow("wider than room on the left") << QPoint(100, 400) << QSize(1250, 30) << screen << QPoint(0, 421);
    QTest::newRow("second screen") << QPoint(1290, 10) << tip << QRect(1280, 0, 1024, 768) << QPoint(1292, 31);
    QTest::newRow("right edge of second screen")
        << QPoint(2300, 10) << tip << QRect(1280, 0, 1024, 768) << QPoint(2300 + 2 - 204, 31);
}

void TestToolTip::placement()
{
    QFETCH(QPoint, globalPos);
    QFETCH(QSize, tipSize);
    QFETCH(QRect, screen);
    QFETCH(QPoint, expected);
    const QPoint p = PlaceToolTip(globalPos, tipSize, screen);
    QCOMPARE(p, expected);
    QVERIFY(screen.contains(QRect(p, tipSize)));
}

void TestToolTip::placedNearScreenEdges()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(screen.size(), QSize(1280, 1024));

    const QPoint nearRight(screen.right() - 10, 300);
    CToolTip::ShowText(nearRight, QStringLiteral("The password can not be empty."));
    CToolLabel* tip = CToolLabel::Instance();
    QVERIFY(tip);
    QCOMPARE(tip->pos(), QPoint(nearRight.x() + 2 - (tip->width() + 4), 321));
    CToolTip::HideText();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const QPoint nearBottom(300, screen.bottom() - 5);
    CToolTip::ShowText(nearBottom, QStringLiteral("The password can not be empty."));
    tip = CToolLabel::Instance();
    QCOMPARE(tip->pos(), QPoint(302, nearBottom.y() + 21 - (tip->height() + 24)));
    QCOMPARE(tip->objectName(), QStringLiteral("ctooltip_label"));
}

void TestToolTip::sameTextIsNotMovedOrRestarted()
{
    CToolTip::ShowText(QPoint(100, 100), QStringLiteral("hint"));
    CToolLabel* tip = CToolLabel::Instance();
    const QPoint where = tip->pos();
    tip->HideTip();   // a pending hide shows whether the timers were restarted
    QVERIFY(tip->IsHidePending());
    CToolTip::ShowText(QPoint(600, 500), QStringLiteral("hint"));
    QCOMPARE(CToolLabel::Instance(), tip);
    QCOMPARE(tip->pos(), where);
    QVERIFY(tip->IsHidePending());
}

void TestToolTip::otherTextReusesVisibleTip()
{
    CToolTip::ShowText(QPoint(100, 100), QStringLiteral("first"));
    QPointer<CToolLabel> tip = CToolLabel::Instance();
    tip->HideTip();
    CToolTip::ShowText(QPoint(600, 500), QStringLiteral("second, longer hint"));
    QCOMPARE(CToolLabel::Instance(), tip.data());
    QCOMPARE(CToolTip::Text(), QStringLiteral("second, longer hint"));
    QCOMPARE(tip->pos(), QPoint(602, 521));
    QVERIFY(!tip->IsHidePending());   // reuse restarts the display time
    QCOMPARE(tip->width(), tip->sizeHint().width() + 1);
}

void TestToolTip::hiddenTipIsNotReused()
{
    CToolTip::ShowText(QPoint(100, 100), QStringLiteral("first"));
    QPointer<CToolLabel> first = CToolLabel::Instance();
    CToolTip::HideText();
    QVERIFY(!CToolTip::IsVisible());
    QCOMPARE(CToolLabel::Instance(), first.data());   // hidden, not gone
    CToolTip::ShowText(QPoint(100, 100), QStringLiteral("first"));
    QVERIFY(CToolTip::IsVisible());
    QVERIFY(first.isNull());   // replaced, not reused
}

void TestToolTip::emptyText()
{
    CToolTip::ShowText(QPoint(100, 100), QString());
    QVERIFY(!CToolLabel::Instance());

    CToolTip::ShowText(QPoint(100, 100), QStringLiteral("hint"));
    CToolTip::ShowText(QPoint(100, 100), QString());
    QVERIFY(CToolTip::IsVisible());   // hides after a short delay, not at once
    QVERIFY(CToolLabel::Instance()->IsHidePending());
    QTRY_VERIFY(!CToolTip::IsVisible());
}

void TestToolTip::typingAndClickingKeepTip()
{
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    second->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();

    CToolTip::ShowText(second->mapToGlobal(QPoint(0, 0)), QStringLiteral("The password can not be empty."));
    QVERIFY(CToolTip::IsVisible());
    QTest::mouseClick(first, Qt::LeftButton);
    QTest::keyClicks(first, QStringLiteral("abc"));
    second->setFocus();
    QApplication::processEvents();
    QVERIFY(CToolTip::IsVisible());
    QVERIFY(!CToolLabel::Instance()->IsHidePending());
}

void TestToolTip::leaveHidesAfterDelay()
{
    QWidget widget;
    CToolTip::ShowText(QPoint(100, 100), QStringLiteral("hint"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
    QVERIFY(CToolTip::IsVisible());
    QVERIFY(CToolLabel::Instance()->IsHidePending());
    QTRY_VERIFY(!CToolTip::IsVisible());
    QTRY_VERIFY(!CToolLabel::Instance());   // deleted after hiding
}

void TestToolTip::windowActivationHidesAtOnce_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("activate") << int(QEvent::WindowActivate);
    QTest::newRow("deactivate") << int(QEvent::WindowDeactivate);
}

void TestToolTip::windowActivationHidesAtOnce()
{
    QFETCH(int, type);
    QWidget widget;
    CToolTip::ShowText(QPoint(100, 100), QStringLiteral("hint"));
    QEvent event(static_cast<QEvent::Type>(type));
    QApplication::sendEvent(&widget, &event);
    QVERIFY(!CToolTip::IsVisible());
}

void TestToolTip::expiresOnItsOwn()
{
    CToolTip::ShowText(QPoint(100, 100), QStringLiteral("hint"));
    QTRY_VERIFY_WITH_TIMEOUT(!CToolTip::IsVisible(), 15000);
}

void TestToolTip::tipRectNeedsWidget()
{
    QWidget widget;
    widget.resize(100, 100);
    CToolTip::ShowText(QPoint(10, 10), QStringLiteral("hint"), &widget, QRect(0, 0, 50, 50));
    CToolLabel* tip = CToolLabel::Instance();
    QTest::ignoreMessage(QtWarningMsg, "CToolTip::setTipRect: Cannot pass null widget if rect is set");
    tip->setTipRect(nullptr, QRect(0, 0, 10, 10));
    // Outside the rectangle the same text counts as a change, inside it does not.
    QVERIFY(!tip->TipChanged(QPoint(10, 10), QStringLiteral("hint"), &widget));
    QVERIFY(tip->TipChanged(QPoint(60, 10), QStringLiteral("hint"), &widget));
}

QTEST_MAIN(TestToolTip)
#include "tst_ToolTip.moc"
