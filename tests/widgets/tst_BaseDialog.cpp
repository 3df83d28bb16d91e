// Dialog frame: buttons, keys, dragging, mask; the geometry functions beside it.
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "widgets/CBaseDialog.h"
#include "widgets/CMutiroleDialog.h"
#include "widgets/ClampPosToWorkArea.h"
#include "widgets/RoundRectRegion.h"

Q_DECLARE_METATYPE(QList<ScreenArea>)

namespace {

template <typename T>
T* Child(QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QString::fromLatin1(name));
}

// Runs action on the dialog from the event loop once it is shown modally.
void WhenModal(const std::function<void(QWidget*)>& action)
{
    QTimer::singleShot(0, qApp, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        action(modal);
    });
}

void SendMouse(QWidget* w, QEvent::Type type, const QPoint& local, const QPoint& global)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

class TestBaseDialog : public QObject
{
    Q_OBJECT

private slots:
    void widgetTreeAndSheets();

    void keys_data();
    void keys();
    void okAndCloseFlags_data();
    void okAndCloseFlags();
    void cancelRejects();
    void setContentWidget();
    void showButtonBar();

    void dragStartsOnlyInTitleArea_data();
    void dragStartsOnlyInTitleArea();
    void dragIsClampedToWorkArea();
    void maskFollowsSize();

    void roundRect_data();
    void roundRect();
    void clamp_data();
    void clamp();

    void mutiroleShowModalNeedsParent();
    void mutiroleHostsItself();
};

void TestBaseDialog::widgetTreeAndSheets()
{
    CBaseDialog full(nullptr, true, true, true);
    QCOMPARE(full.objectName(), QStringLiteral("CBaseDialogClass"));
    QCOMPARE(full.size(), QSize(437, 327));
    QCOMPARE(full.windowTitle(), QStringLiteral("Dialog"));
    QVERIFY(full.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(full.styleSheet(), CBaseDialog::FullFrameSheet());
    for (const char* name : {"pLabelTitle", "m_pContentFrame", "m_pBottomFrame"})
        QVERIFY2(Child<QWidget>(&full, name), name);
    QCOMPARE(Child<QPushButton>(&full, "pOkBtn")->text(), QStringLiteral("OK"));
    QCOMPARE(Child<QPushButton>(&full, "pCancelBtn")->text(), QStringLiteral("Cancel"));
    QCOMPARE(Child<QPushButton>(&full, "m_pCloseBtn")->focusPolicy(), Qt::NoFocus);
    QVERIFY(Child<QPushButton>(&full, "m_pCloseBtn")->isHidden());
    full.SetTitle(QStringLiteral("Hint"));
    QCOMPARE(full.GetTitle(), QStringLiteral("Hint"));
    QCOMPARE(full.GetContentFrame(), Child<QWidget>(&full, "m_pContentFrame"));

    CBaseDialog compact(nullptr, false, false, false);
    QCOMPARE(compact.styleSheet(), CBaseDialog::CompactFrameSheet());
    QVERIFY(Child<QWidget>(&compact, "m_pBottomFrame")->isHidden());
    QVERIFY(Child<QWidget>(&compact, "pOkBtn")->isHidden());
    QVERIFY(Child<QWidget>(&compact, "pCancelBtn")->isHidden());
    QCOMPARE(compact.layout()->contentsMargins(), QMargins(6, 4, 6, 11));
    QCOMPARE(full.layout()->contentsMargins(), QMargins(6, 3, 6, 5));
}

void TestBaseDialog::keys_data()
{
    QTest::addColumn<bool>("okShown");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<int>("result");

    QTest::newRow("Escape") << true << int(Qt::Key_Escape) << true << -1;
    QTest::newRow("Escape, OK hidden") << false << int(Qt::Key_Escape) << true << -1;
    QTest::newRow("Return") << true << int(Qt::Key_Return) << false << int(QDialog::Accepted);
    QTest::newRow("Enter, OK hidden") << false << int(Qt::Key_Enter) << false << int(QDialog::Accepted);
    QTest::newRow("Return, OK hidden") << false << int(Qt::Key_Return) << false << int(QDialog::Accepted);
}

void TestBaseDialog::keys()
{
    QFETCH(bool, okShown);
    QFETCH(int, key);
    QFETCH(bool, stillOpen);
    QFETCH(int, result);

    CBaseDialog dialog(nullptr, true, okShown, true);
    bool openAfterKey = false;
    WhenModal([&](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key(key));
        openAfterKey = modal->isVisible();
        if (openAfterKey)
            QTimer::singleShot(0, modal, [modal] { static_cast<QDialog*>(modal)->done(-1); });
    });
    const int rc = dialog.exec();
    QCOMPARE(openAfterKey, stillOpen);
    QCOMPARE(rc, result);
}

void TestBaseDialog::okAndCloseFlags_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("result");

    QTest::newRow("OK accepts") << "pOkBtn" << true << true << int(QDialog::Accepted);
    QTest::newRow("OK only signals") << "pOkBtn" << false << false << -1;
    QTest::newRow("close rejects") << "m_pCloseBtn" << true << true << int(QDialog::Rejected);
    QTest::newRow("close only signals") << "m_pCloseBtn" << false << false << -1;
}

void TestBaseDialog::okAndCloseFlags()
{
    QFETCH(QString, button);
    QFETCH(bool, flag);
    QFETCH(bool, closes);
    QFETCH(int, result);

    CBaseDialog dialog(nullptr, true, true, true);
    dialog.ShowCloseBtn(true);
    dialog.SetOkBtnAccepts(button == QLatin1String("pOkBtn") ? flag : true);
    dialog.SetCloseBtnCloses(button == QLatin1String("m_pCloseBtn") ? flag : true);
    QSignalSpy okSig(&dialog, &CBaseDialog::ClickedOKBtnSig);
    QSignalSpy closeSig(&dialog, &CBaseDialog::ClickedCloseBtnSig);

    bool openAfterClick = false;
    WhenModal([&](QWidget* modal) {
        QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
        openAfterClick = modal->isVisible();
        if (openAfterClick)
            static_cast<QDialog*>(modal)->done(-1);
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(openAfterClick, !closes);
    QCOMPARE(okSig.count(), (button == QLatin1String("pOkBtn") && !flag) ? 1 : 0);
    QCOMPARE(closeSig.count(), (button == QLatin1String("m_pCloseBtn") && !flag) ? 1 : 0);
}

void TestBaseDialog::cancelRejects()
{
    CBaseDialog dialog(nullptr, true, true, true);
    WhenModal([](QWidget* modal) { QTest::mouseClick(modal->findChild<QPushButton*>("pCancelBtn"), Qt::LeftButton); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    // A disabled OK does nothing.
    CBaseDialog second(nullptr, true, true, true);
    second.SetOkBtnEnable(false);
    QVERIFY(!Child<QPushButton>(&second, "pOkBtn")->isEnabled());
}

void TestBaseDialog::setContentWidget()
{
    CBaseDialog dialog(nullptr, false, false, false);
    QVERIFY(!dialog.SetContentWidget(nullptr));
    QVERIFY(!dialog.GetContentFrame()->layout());

    auto* content = new QLabel(QStringLiteral("content"));
    QVERIFY(dialog.SetContentWidget(content));
    QLayout* layout = dialog.GetContentFrame()->layout();
    QVERIFY(layout);
    QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(content->parentWidget(), dialog.GetContentFrame());
    QVERIFY(dialog.SetContentWidget(new QLabel(QStringLiteral("more"))));
    QCOMPARE(dialog.GetContentFrame()->layout(), layout);   // one layout, reused
    QCOMPARE(layout->count(), 2);
}

void TestBaseDialog::showButtonBar()
{
    CBaseDialog dialog(nullptr, false, false, false);
    dialog.ShowButtonBar(true);
    QVERIFY(!Child<QWidget>(&dialog, "m_pBottomFrame")->isHidden());
    QVERIFY(!Child<QWidget>(&dialog, "pOkBtn")->isHidden());
    QVERIFY(!Child<QWidget>(&dialog, "pCancelBtn")->isHidden());
    QCOMPARE(dialog.styleSheet(), CBaseDialog::FullFrameSheetLater());
    QCOMPARE(dialog.layout()->contentsMargins(), QMargins(6, 4, 6, 11));   // margins untouched
    dialog.ShowButtonBar(false);
    QVERIFY(Child<QWidget>(&dialog, "m_pBottomFrame")->isHidden());
    QCOMPARE(dialog.styleSheet(), CBaseDialog::CompactFrameSheet());
}

void TestBaseDialog::dragStartsOnlyInTitleArea_data()
{
    QTest::addColumn<int>("pressY");
    QTest::addColumn<bool>("moves");
    QTest::newRow("y = 0") << 0 << true;
    QTest::newRow("y = 32") << 32 << true;
    QTest::newRow("y = 33") << 33 << false;
    QTest::newRow("y = 200") << 200 << false;
}

void TestBaseDialog::dragStartsOnlyInTitleArea()
{
    QFETCH(int, pressY);
    QFETCH(bool, moves);

    CBaseDialog dialog;
    dialog.move(100, 100);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint start = dialog.pos();
    const QPoint press(150, pressY);
    SendMouse(&dialog, QEvent::MouseButtonPress, press, start + press);
    const QPoint cursor = start + press + QPoint(40, 30);
    SendMouse(&dialog, QEvent::MouseMove, press + QPoint(40, 30), cursor);
    SendMouse(&dialog, QEvent::MouseButtonRelease, press + QPoint(40, 30), cursor);
    QCOMPARE(dialog.pos(), moves ? start + QPoint(40, 30) : start);

    // After the release, moving no longer drags.
    const QPoint afterRelease = dialog.pos();
    SendMouse(&dialog, QEvent::MouseMove, press, cursor + QPoint(50, 50));
    QCOMPARE(dialog.pos(), afterRelease);
}

void TestBaseDialog::dragIsClampedToWorkArea()
{
    // The offscreen screen has no reserved strip: the grabbed point follows the
    // cursor anywhere on it, and past the screen edge clamping keeps it on.
    CBaseDialog dialog;
    dialog.move(100, 100);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint press(150, 10);
    SendMouse(&dialog, QEvent::MouseButtonPress, press, dialog.pos() + press);
    SendMouse(&dialog, QEvent::MouseMove, QPoint(), QPoint(600, 500));
    QCOMPARE(dialog.pos(), QPoint(600, 500) - press);
    SendMouse(&dialog, QEvent::MouseMove, QPoint(), QPoint(600, 1100));
    QCOMPARE(dialog.pos(), QPoint(600, 1023) - press);   // strip check finds the bottom
}

void TestBaseDialog::maskFollowsSize()
{
    CBaseDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(300, 200);
    QTRY_COMPARE(dialog.mask().boundingRect(), QRect(0, 0, 300, 200));
    QCOMPARE(dialog.mask(), RoundRectRegion(QRect(0, 0, 300, 200), 2));
    QVERIFY(!dialog.mask().contains(QPoint(0, 0)));
    QVERIFY(!dialog.mask().contains(QPoint(299, 199)));
    QVERIFY(dialog.mask().contains(QPoint(150, 0)));
}

void TestBaseDialog::roundRect_data()
{
    QTest::addColumn<int>("kind");   // 0 all, 1 left, 2 right, 3 top
    QTest::addColumn<QList<bool>>("cornersCut");   // top-left, top-right, bottom-left, bottom-right

    QTest::newRow("all") << 0 << QList<bool>{true, true, true, true};
    QTest::newRow("left") << 1 << QList<bool>{true, false, true, false};
    QTest::newRow("right") << 2 << QList<bool>{false, true, false, true};
    QTest::newRow("top") << 3 << QList<bool>{true, true, false, false};
}

void TestBaseDialog::roundRect()
{
    QFETCH(int, kind);
    QFETCH(QList<bool>, cornersCut);

    const QRect rect(10, 20, 100, 50);
    const int radius = 6;
    QRegion region;
    switch (kind) {
    case 0: region = RoundRectRegion(rect, radius); break;
    case 1: region = RoundLeftRectRegion(rect, radius); break;
    case 2: region = RoundRightRectRegion(rect, radius); break;
    default: region = RoundTopRectRegion(rect, radius); break;
    }
    QCOMPARE(region.boundingRect(), rect);
    const QList<QPoint> corners{rect.topLeft(), rect.topRight(), rect.bottomLeft(), rect.bottomRight()};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(!region.contains(corners.at(i)), cornersCut.at(i));
    // Edges' middles and the centre are always inside.
    for (const QPoint& p : {rect.center(), QPoint(rect.center().x(), rect.top()), QPoint(rect.left(), rect.center().y()),
                            QPoint(rect.right(), rect.center().y()), QPoint(rect.center().x(), rect.bottom())})
        QVERIFY(region.contains(p));
}

void TestBaseDialog::clamp_data()
{
    QTest::addColumn<QList<ScreenArea>>("screens");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QPoint>("expected");

    const QRect g(0, 0, 1280, 1024);
    const ScreenArea bottomBar{g, QRect(0, 0, 1280, 984)};
    const ScreenArea rightBar{g, QRect(0, 0, 1240, 1024)};
    const ScreenArea leftBar{g, QRect(40, 0, 1240, 1024)};
    const ScreenArea topBar{g, QRect(0, 40, 1280, 984)};

    QTest::newRow("no screens") << QList<ScreenArea>{} << QPoint(5, 5000) << QPoint(5, 5000);
    QTest::newRow("inside work area") << QList<ScreenArea>{bottomBar} << QPoint(500, 983) << QPoint(500, 983);
    QTest::newRow("bottom strip") << QList<ScreenArea>{bottomBar} << QPoint(500, 1000) << QPoint(500, 983);
    QTest::newRow("right strip") << QList<ScreenArea>{rightBar} << QPoint(1260, 300) << QPoint(1239, 300);
    QTest::newRow("left strip") << QList<ScreenArea>{leftBar} << QPoint(10, 300) << QPoint(40, 300);
    QTest::newRow("top strip") << QList<ScreenArea>{topBar} << QPoint(500, 10) << QPoint(500, 40);

    const ScreenArea below{QRect(0, 1024, 1280, 1024), QRect(0, 1024, 1280, 1024)};
    QTest::newRow("bottom strip, screen below") << QList<ScreenArea>{bottomBar, below} << QPoint(500, 1000)
                                                << QPoint(500, 1000);
    const ScreenArea beside{QRect(1280, 0, 1024, 768), QRect(1280, 0, 1024, 768)};
    QTest::newRow("right strip, screen beside") << QList<ScreenArea>{rightBar, beside} << QPoint(1260, 300)
                                                << QPoint(1260, 300);
    const ScreenArea leftOf{QRect(-1024, 0, 1024, 768), QRect(-1024, 0, 1024, 768)};
    QTest::newRow("left strip, screen left") << QList<ScreenArea>{leftBar, leftOf} << QPoint(10, 300)
                                             << QPoint(10, 300);
    const ScreenArea above{QRect(0, -1024, 1280, 1024), QRect(0, -1024, 1280, 1024)};
    QTest::newRow("top strip, screen above") << QList<ScreenArea>{topBar, above} << QPoint(500, 10)
                                             << QPoint(500, 10);
    // The probe compares one axis only: a screen to the right does not continue
    // a bottom strip, so the point is pulled up.
    QTest::newRow("bottom strip, screen beside") << QList<ScreenArea>{bottomBar, beside} << QPoint(500, 1000)
                                                 << QPoint(500, 983);
    // A strip of a shorter second screen: the taller first screen's work area
    // spans the probe row, so the point passes; alone, it would be pulled up.
    const ScreenArea secondWithBar{QRect(1280, 0, 1024, 768), QRect(1280, 0, 1024, 728)};
    QTest::newRow("strip of shorter second screen")
        << QList<ScreenArea>{bottomBar, secondWithBar} << QPoint(1500, 750) << QPoint(1500, 750);
    QTest::newRow("strip of that screen alone") << QList<ScreenArea>{secondWithBar} << QPoint(1500, 750)
                                                << QPoint(1500, 727);
}

void TestBaseDialog::clamp()
{
    QFETCH(QList<ScreenArea>, screens);
    QFETCH(QPoint, cursor);
    QFETCH(QPoint, expected);
    QCOMPARE(ClampPosToWorkArea(cursor, screens), expected);
}

void TestBaseDialog::mutiroleShowModalNeedsParent()
{
    CMutiroleDialog frame;
    frame.ShowModal(nullptr, QStringLiteral("Title"));
    QVERIFY(!frame.HostDialog());
    frame.ShowModeless(nullptr, QStringLiteral("Title"), 300, 200);
    QVERIFY(!frame.HostDialog());
    QCOMPARE(frame.DialogWidth(), frame.width());
}

void TestBaseDialog::mutiroleHostsItself()
{
    QWidget owner;
    QPointer<CMutiroleDialog> frame = new CMutiroleDialog;
    frame->resize(320, 240);

    // The host's close button only signals; the frame closes the host itself.
    WhenModal([](QWidget* modal) {
        auto* host = qobject_cast<CBaseDialog*>(modal);
        QVERIFY(host);
        QCOMPARE(host->GetTitle(), QStringLiteral("Panel"));
        QTest::keyClick(modal, Qt::Key_Escape);
        QVERIFY(modal->isVisible());
        emit host->ClickedCloseBtnSig();
    });
    QCOMPARE(frame->ExecModal(&owner, QStringLiteral("Panel")), int(QDialog::Rejected));
    QPointer<CBaseDialog> host = frame->HostDialog();
    QVERIFY(host);
    QCOMPARE(frame->parentWidget(), host->GetContentFrame());
    QCOMPARE(host->parentWidget(), &owner);
    QCOMPARE(frame->DialogWidth(), host->width());

    frame->ShowModeless(&owner, QStringLiteral("Again"), 500, 400);
    QCOMPARE(frame->HostDialog(), host.data());   // kept for later shows
    QVERIFY(host->isVisible());
    QCOMPARE(host->size(), QSize(500, 400));
    QVERIFY(host->findChild<QWidget*>(QStringLiteral("m_pBottomFrame"))->isHidden());
    host->close();

    delete frame;
    QVERIFY(host.isNull());   // the host goes with the frame
}

QTEST_MAIN(TestBaseDialog)
#include "tst_BaseDialog.moc"
