// Message dialog, its entry points and test seam, the relay and the notice window.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include "widgets/CInformationDlg.h"
#include "widgets/CWarnDlg.h"
#include "widgets/CWarnInfoDlg.h"
#include "widgets/WarnDlgLayout.h"

namespace {

void WhenModal(const std::function<void(CWarnDlg*)>& action)
{
    QTimer::singleShot(0, qApp, [action] {
        auto* dialog = qobject_cast<CWarnDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        action(dialog);
    });
}

struct Shown
{
    int width = 0;
    int height = 0;
    QRect text;
    QSize frame;
    bool okVisible = false;
    bool closeVisible = false;
    QString title;
};

Shown Inspect(CWarnDlg* dialog)
{
    Shown s;
    s.width = dialog->width();
    s.height = dialog->height();
    s.text = dialog->findChild<QTextBrowser*>(QStringLiteral("m_pBrowserTxt"))->geometry();
    s.frame = dialog->GetContentFrame()->size();
    s.okVisible = dialog->findChild<QPushButton*>(QStringLiteral("pOkBtn"))->isVisible();
    s.closeVisible = dialog->findChild<QPushButton*>(QStringLiteral("m_pCloseBtn"))->isVisible();
    s.title = dialog->GetTitle();
    return s;
}

} // namespace

class TestMessageDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void widthChoice_data();
    void widthChoice();
    void shortMessageIsCentred();
    void mediumMessageWidensDialog();
    void longMessageWrapsAndGrows();

    void questionResults_data();
    void questionResults();
    void infoResults_data();
    void infoResults();
    void nullParent();
    void testHookAnswersWithoutWindow();

    void relayShowsOnGuiThread();
    void noticeLabelOrTextEdit();
    void noticeInCornerHidesWhenMouseAway();
    void noticeAnchorKeepsCorner();
};

void TestMessageDialogs::cleanup()
{
    CWarnDlg::SetTestHook({});
}

void TestMessageDialogs::widthChoice_data()
{
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<int>("dialogWidth");
    QTest::addColumn<int>("areaWidth");

    QTest::newRow("one word") << 40 << 300 << 55;
    QTest::newRow("just fits narrowest") << 263 << 300 << 278;
    QTest::newRow("grows by one") << 264 << 301 << 279;
    QTest::newRow("widest that grows") << 362 << 399 << 377;
    QTest::newRow("width + 25 reaches 388") << 363 << 400 << 378;
    QTest::newRow("very long") << 2000 << 400 << 378;
}

void TestMessageDialogs::widthChoice()
{
    QFETCH(int, textWidth);
    QFETCH(int, dialogWidth);
    QFETCH(int, areaWidth);
    const WarnDlgWidths w = ChooseWarnDlgWidth(textWidth);
    QCOMPARE(w.dialogWidth, dialogWidth);
    QCOMPARE(w.textWidth, areaWidth);
}

void TestMessageDialogs::shortMessageIsCentred()
{
    QWidget owner;
    Shown shown;
    WhenModal([&](CWarnDlg* dialog) {
        shown = Inspect(dialog);
        dialog->close();
    });
    QCOMPARE(ShowInfoMsgBox(QStringLiteral("Hint"), QStringLiteral("Done."), &owner), 0);
    QCOMPARE(shown.title, QStringLiteral("Hint"));
    QCOMPARE(shown.width, 300);
    QCOMPARE(shown.height, 225);
    QVERIFY(shown.closeVisible);
    QVERIFY(!shown.okVisible);
    QVERIFY(qAbs(shown.text.center().x() - shown.frame.width() / 2) <= 1);
    QVERIFY(qAbs(shown.text.center().y() - shown.frame.height() / 2) <= 1);
}

void TestMessageDialogs::mediumMessageWidensDialog()
{
    QWidget owner;
    Shown shown;
    int oneLine = 0;
    WhenModal([&](CWarnDlg* dialog) {
        shown = Inspect(dialog);
        oneLine = dialog->findChild<QTextBrowser*>(QStringLiteral("m_pBrowserTxt"))
                      ->fontMetrics()
                      .horizontalAdvance(QStringLiteral("Restore default password failed! Please try again."));
        dialog->close();
    });
    ShowInfoMsgBox(QStringLiteral("Error"), QStringLiteral("Restore default password failed! Please try again."),
                   &owner);
    QVERIFY2(oneLine + 25 > 288 && oneLine + 25 < 388, "the text must measure between the two limits");
    QCOMPARE(shown.width, oneLine + 15 + 10 + 12);
    QCOMPARE(shown.text.width(), oneLine + 15);
    QCOMPARE(shown.height, 225);
}

void TestMessageDialogs::longMessageWrapsAndGrows()
{
    QWidget owner;
    QStringList words;
    for (int i = 0; i < 120; ++i)
        words << QStringLiteral("network");
    const QString text = words.join(QLatin1Char(' '));

    Shown shown;
    WhenModal([&](CWarnDlg* dialog) {
        shown = Inspect(dialog);
        dialog->close();
    });
    QCOMPARE(ShowQuestionMsgBox(QStringLiteral("Confirm"), text, &owner), 0);
    QCOMPARE(shown.width, 400);
    QCOMPARE(shown.text.width(), 378);
    QVERIFY(shown.okVisible);
    QVERIFY(shown.height > 225);   // grown for the wrapped text
    QCOMPARE(shown.text.y(), 15);
    QVERIFY(shown.text.bottom() < shown.frame.height());   // all of it inside the frame
}

void TestMessageDialogs::questionResults_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "pOkBtn" << 1;
    QTest::newRow("Cancel") << "pCancelBtn" << 0;
    QTest::newRow("close button") << "close" << 0;
    QTest::newRow("Return") << "Return" << 1;
    QTest::newRow("Escape, then Cancel") << "Escape" << 0;
}

void TestMessageDialogs::questionResults()
{
    QFETCH(QString, action);
    QFETCH(int, result);

    QWidget owner;
    bool openAfterEscape = false;
    WhenModal([&](CWarnDlg* dialog) {
        if (action == QLatin1String("Return")) {
            QTest::keyClick(dialog, Qt::Key_Return);
        } else if (action == QLatin1String("Escape")) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            openAfterEscape = dialog->isVisible();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("pCancelBtn")), Qt::LeftButton);
        } else if (action == QLatin1String("close")) {
            dialog->close();
        } else {
            QTest::mouseClick(dialog->findChild<QPushButton*>(action), Qt::LeftButton);
        }
    });
    QCOMPARE(ShowQuestionMsgBox(QStringLiteral("Hint"), QStringLiteral("The file name has been used; replace it?"),
                                &owner),
             result);
    if (action == QLatin1String("Escape"))
        QVERIFY(openAfterEscape);
}

void TestMessageDialogs::infoResults_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::newRow("close button") << "m_pCloseBtn" << 0;
    QTest::newRow("Return") << "Return" << 1;
    QTest::newRow("Enter") << "Enter" << 1;
}

void TestMessageDialogs::infoResults()
{
    QFETCH(QString, action);
    QFETCH(int, result);

    QWidget owner;
    WhenModal([&](CWarnDlg* dialog) {
        if (action == QLatin1String("Return"))
            QTest::keyClick(dialog, Qt::Key_Return);
        else if (action == QLatin1String("Enter"))
            QTest::keyClick(dialog, Qt::Key_Enter);
        else
            QTest::mouseClick(dialog->findChild<QPushButton*>(action), Qt::LeftButton);
    });
    QCOMPARE(ShowInfoMsgBox(QStringLiteral("Information"), QStringLiteral("Please select a device."), &owner),
             result);
}

void TestMessageDialogs::nullParent()
{
    int hookCalls = 0;
    CWarnDlg::SetTestHook([&](const QString&, const QString&) { return ++hookCalls; });
    QCOMPARE(ShowInfoMsgBox(QStringLiteral("Information"), QStringLiteral("text"), nullptr), -1);
    QCOMPARE(ShowQuestionMsgBox(QStringLiteral("Confirm"), QStringLiteral("text"), nullptr), -1);
    QCOMPARE(hookCalls, 0);   // nothing shown, nothing recorded
}

void TestMessageDialogs::testHookAnswersWithoutWindow()
{
    QWidget owner;
    QStringList seen;
    QList<bool> questions;
    CWarnDlg::SetTestHook([&](const QString& title, const QString& text) {
        seen << title + QLatin1Char('|') + text;
        questions << CWarnDlg::Question();
        return questions.last() ? 1 : 0;
    });
    QCOMPARE(ShowQuestionMsgBox(QStringLiteral("Confirm"), QStringLiteral("Sure to close software"), &owner), 1);
    QCOMPARE(ShowInfoMsgBox(QStringLiteral("Information"), QStringLiteral("Done."), &owner), 0);
    CWarnDlg direct;
    QCOMPARE(direct.ShowInfo(QStringLiteral("Error"), QStringLiteral("Start failed.")), 0);
    QCOMPARE(seen, (QStringList{QStringLiteral("Confirm|Sure to close software"),
                                QStringLiteral("Information|Done."), QStringLiteral("Error|Start failed.")}));
    QCOMPARE(questions, (QList<bool>{true, false, false}));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMessageDialogs::relayShowsOnGuiThread()
{
    QWidget owner;
    CWarnInfoDlg::SetMsgParent(&owner);
    QCOMPARE(CWarnInfoDlg::MsgParent(), &owner);
    QThread* shownOn = nullptr;
    QString shownText;
    CWarnDlg::SetTestHook([&](const QString&, const QString& text) {
        shownOn = QThread::currentThread();
        shownText = text;
        return 0;
    });
    QScopedPointer<QThread> worker(QThread::create([] {
        CWarnInfoDlg::GetInstance()->PostMsgInfo(QStringLiteral("Warn"), QStringLiteral("from a worker"));
    }));
    worker->start();
    QVERIFY(worker->wait(5000));
    QTRY_COMPARE(shownText, QStringLiteral("from a worker"));
    QCOMPARE(shownOn, QThread::currentThread());
    CWarnInfoDlg::SetMsgParent(nullptr);
}

void TestMessageDialogs::noticeLabelOrTextEdit()
{
    CInformationDlg notice(nullptr, true);
    QCOMPARE(notice.size(), QSize(200, 150));
    notice.show();
    QVERIFY(QTest::qWaitForWindowExposed(&notice));

    notice.SetText(QStringLiteral("Short"));
    QVERIFY(notice.Label()->isVisible());
    QVERIFY(!notice.TextEdit()->isVisible());
    QCOMPARE(notice.Label()->text(), QStringLiteral("Short"));

    const QString longText = QStringLiteral("A notice text that is far too long for the label ").repeated(3);
    notice.SetText(longText);
    QVERIFY(!notice.Label()->isVisible());
    QVERIFY(notice.TextEdit()->isVisible());
    QCOMPARE(notice.TextEdit()->toPlainText(), longText);
    QCOMPARE(notice.Text(), longText);

    CInformationDlg bare(nullptr, false);
    bare.SetText(QStringLiteral("ignored"));
    QVERIFY(bare.Text().isEmpty());
}

void TestMessageDialogs::noticeInCornerHidesWhenMouseAway()
{
    QWidget owner;
    CInformationDlg::ShowInformationInCorner(QStringLiteral("Device found"), &owner);
    CInformationDlg* notice = CInformationDlg::Instance();
    QVERIFY(notice);
    QVERIFY(notice->isVisible());
    const QRect area = owner.screen()->availableGeometry();
    QCOMPARE(notice->geometry().bottomRight(), area.bottomRight());
    QVERIFY(notice->HideTimer()->isActive());
    QCOMPARE(notice->HideTimer()->interval(), 3000);

    QCursor::setPos(notice->geometry().center());
    if (QCursor::pos() == notice->geometry().center()) {
        notice->HideWnd();   // the pointer rests on it: it stays
        QVERIFY(notice->isVisible());
    }
    QCursor::setPos(area.topLeft());
    QTRY_VERIFY_WITH_TIMEOUT(!notice->isVisible(), 10000);
    QVERIFY(!notice->HideTimer()->isActive());
    delete notice;   // it belonged to owner; leave nothing dangling
    QVERIFY(!CInformationDlg::Instance());
}

void TestMessageDialogs::noticeAnchorKeepsCorner()
{
    CInformationDlg notice(nullptr, true);
    notice.show();
    QVERIFY(QTest::qWaitForWindowExposed(&notice));
    notice.SetAnchorPos(800, 600);
    QCOMPARE(notice.geometry().bottomRight(), QPoint(799, 599));
    notice.resize(300, 100);   // the pending anchor keeps the bottom-right corner
    QCOMPARE(notice.geometry().bottomRight(), QPoint(799, 599));
    const QPoint placed = notice.pos();
    notice.resize(250, 200);   // the anchor is used once only
    QCOMPARE(notice.pos(), placed);
}

QTEST_MAIN(TestMessageDialogs)
#include "tst_MessageDialogs.moc"
