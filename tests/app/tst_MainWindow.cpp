// The main window, its title bar and the About dialog.
#include <memory>

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QMenu>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/CAPT_VRELMainWnd.h"
#include "app/CDlgAbout.h"
#include "app/CWindowTitle.h"
#include "app/ClientConfigManager.h"
#include "panel/QtVrel.h"
#include "panel/UrlOpener.h"
#include "widgets/CPushButton.h"
#include "widgets/CWarnDlg.h"
#include "TestRecords.h"

namespace {

struct Message
{
    QString title;
    QString text;
    bool question;
};

// Counts queued calls posted to the application object (the quit request)
// and swallows them, so the test's own event loops keep running.
class QueuedCallCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == qApp && event->type() == QEvent::MetaCall) {
            ++count;
            return true;
        }
        return false;
    }
};

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layoutOfTheWindow();
    void f1WithoutManualSaysSo();
    void f1OpensManualFromWorkingDirectory_data();
    void f1OpensManualFromWorkingDirectory();
    void escapeDoesNothing();
    void closeAsksAndOnlyConfirmedCloseQuits();
    void titleBarCloseAsksToo();
    void setFullStyleIsIdempotent();
    void enlargeAndRestorePositions();
    void draggingMovesOnlyWhenNotEnlarged();
    void forwardedRecordAppearsInTheTable();
    void aboutDialog();
    void helpMenuOffersManualAndVersion();

private:
    std::unique_ptr<CAPT_VRELMainWnd> m_pWindow;
    QList<Message> m_messages;
    int m_nAnswer = 0;
    QList<QUrl> m_opened;
    std::unique_ptr<QTemporaryDir> m_pWorkDir;
    QString m_strOldCwd;
};

void tst_MainWindow::init()
{
    m_messages.clear();
    m_opened.clear();
    m_nAnswer = 0;
    CWarnDlg::SetTestHook([this](const QString &title, const QString &text) {
        m_messages.append({title, text, CWarnDlg::Question()});
        return m_nAnswer;
    });
    UrlOpener::SetOpenerForTest([this](const QUrl &url) {
        m_opened.append(url);
        return true;
    });
    m_pWorkDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pWorkDir->isValid());
    m_strOldCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_pWorkDir->path()));
    ClientConfigManager::Instance()->Clear();

    m_pWindow = std::make_unique<CAPT_VRELMainWnd>(nullptr, Qt::WindowFlags());
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
}

void tst_MainWindow::cleanup()
{
    // Let the window go without being asked.
    m_nAnswer = 1;
    m_pWindow.reset();
    QDir::setCurrent(m_strOldCwd);
    ClientConfigManager::Instance()->Clear();
    CWarnDlg::SetTestHook({});
    UrlOpener::SetOpenerForTest({});
}

void tst_MainWindow::layoutOfTheWindow()
{
    CAPT_VRELMainWnd &w = *m_pWindow;
    QCOMPARE(w.objectName(), QStringLiteral("CAPT_VRELMainWndClass"));
    QCOMPARE(w.size(), QSize(1024, 768));
    QCOMPARE(w.minimumSize(), QSize(1024, 768));
    QCOMPARE(w.maximumSize(), QSize(1024, 768));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(w.IsFullStyle());
    QCOMPARE(w.PageStack()->count(), 1);
    QCOMPARE(w.PageStack()->currentWidget(), w.DevicePanel());

    // The title bar is at the top, not squeezed by the page below it.
    CWindowTitle *title = w.TitleBar();
    QVERIFY(title->isVisible());
    QCOMPARE(title->y(), 0);
    QVERIFY2(title->height() >= 34, qPrintable(QString::number(title->height())));
    auto *tabVrel = w.findChild<QPushButton *>(QStringLiteral("m_pBtnVrel"));
    auto *tabHelp = w.findChild<QPushButton *>(QStringLiteral("m_pBtnAbout"));
    QVERIFY(tabVrel && tabHelp);
    QVERIFY(tabVrel->styleSheet().contains(QStringLiteral("TabSelect.png")));
    QVERIFY(tabHelp->styleSheet().contains(QStringLiteral("TabUnselect.png")));
    QCOMPARE(tabVrel->height(), 40);
    QVERIFY(w.PageStack()->geometry().top() >= tabVrel->parentWidget()->geometry().bottom());

    w.SetTitleVisible(false);
    QVERIFY(title->isHidden());
    w.SetTitleVisible(true);
    QVERIFY(!title->isHidden());
}

void tst_MainWindow::f1WithoutManualSaysSo()
{
    QTest::keyClick(m_pWindow.get(), Qt::Key_F1);
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.at(0).title, QStringLiteral("Info"));
    QCOMPARE(m_messages.at(0).text, QStringLiteral("Can not find Manual."));
    QVERIFY(!m_messages.at(0).question);

    // A manual next to the executable does not count: only the working directory does.
    QVERIFY(!QFile::exists(QDir::current().filePath(CAPT_VRELMainWnd::ManualFileName(0))));
    QVERIFY(!m_pWindow->OpenManual());
}

void tst_MainWindow::f1OpensManualFromWorkingDirectory_data()
{
    QTest::addColumn<QByteArray>("setup");
    QTest::addColumn<QString>("expectedName");
    const QString english = QStringLiteral("User Manual of Ondra Software.pdf");
    const QString chinese = QStringLiteral("设备网络搜索用户使用手册.pdf");
    QTest::newRow("no Setup.xml") << QByteArray() << english;
    QTest::newRow("Translator 0") << QByteArray("0") << english;
    QTest::newRow("Translator 1") << QByteArray("1") << chinese;
    QTest::newRow("Translator 2") << QByteArray("2") << english;
    QTest::newRow("Translator 3") << QByteArray("3") << english;
}

void tst_MainWindow::f1OpensManualFromWorkingDirectory()
{
    QFETCH(QByteArray, setup);
    QFETCH(QString, expectedName);
    if (!setup.isNull()) {
        const QString path = m_pWorkDir->filePath(QStringLiteral("Setup.xml"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<Configs><Translator><Value>" + setup + "</Value></Translator></Configs>");
        file.close();
        QVERIFY(ClientConfigManager::Instance()->Load(path));
    }
    // Both manuals lie in the working directory; the setting picks one.
    for (int translator : {0, 1}) {
        QFile manual(QDir::current().filePath(CAPT_VRELMainWnd::ManualFileName(translator)));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.write("%PDF-1.4\n");
    }

    QTest::keyClick(m_pWindow.get(), Qt::Key_F1);
    QCOMPARE(m_messages.size(), 0);
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(m_opened.at(0).isLocalFile());
    QCOMPARE(m_opened.at(0).toLocalFile(), QDir::current().filePath(expectedName));

    // A desktop that cannot open it is reported like a missing manual.
    UrlOpener::SetOpenerForTest([](const QUrl &) { return false; });
    m_pWindow->OnGetHelp();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.at(0).text, QStringLiteral("Can not find Manual."));
}

void tst_MainWindow::escapeDoesNothing()
{
    QTest::keyClick(m_pWindow.get(), Qt::Key_Escape);
    QTest::keyClick(m_pWindow.get(), Qt::Key_Return);
    QVERIFY(m_pWindow->isVisible());
    QVERIFY(m_messages.isEmpty());
}

void tst_MainWindow::closeAsksAndOnlyConfirmedCloseQuits()
{
    QueuedCallCounter counter;
    qApp->installEventFilter(&counter);

    m_nAnswer = 0;
    QVERIFY(!m_pWindow->close());
    QVERIFY(m_pWindow->isVisible());
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.at(0).title, QStringLiteral("Confirm"));
    QCOMPARE(m_messages.at(0).text, QStringLiteral("Sure to close software"));
    QVERIFY(m_messages.at(0).question);
    QCoreApplication::processEvents();
    QCOMPARE(counter.count, 0);

    m_nAnswer = 1;
    QVERIFY(m_pWindow->close());
    QVERIFY(!m_pWindow->isVisible());
    QCOMPARE(m_messages.size(), 2);
    QTRY_COMPARE(counter.count, 1);
    qApp->removeEventFilter(&counter);
}

void tst_MainWindow::titleBarCloseAsksToo()
{
    m_nAnswer = 0;
    QTest::mouseClick(m_pWindow->TitleBar()->CloseButton(), Qt::LeftButton);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.at(0).question);
    QVERIFY(m_pWindow->isVisible());
}

void tst_MainWindow::setFullStyleIsIdempotent()
{
    CAPT_VRELMainWnd &w = *m_pWindow;
    auto *tabVrel = w.findChild<QPushButton *>(QStringLiteral("m_pBtnVrel"));
    auto *tabFrame = w.findChild<QFrame *>(QStringLiteral("pTabFrame"));
    const QString fullTab = tabVrel->styleSheet();

    // Asking for the current look changes nothing, not even a sheet set since.
    w.setStyleSheet(QStringLiteral("/* marker */"));
    w.SetFullStyle(true);
    QCOMPARE(w.styleSheet(), QStringLiteral("/* marker */"));
    w.setStyleSheet(CAPT_VRELMainWnd::FullWindowSheet());

    w.SetFullStyle(false);
    QVERIFY(!w.IsFullStyle());
    QCOMPARE(w.styleSheet(), CAPT_VRELMainWnd::CompactWindowSheet());
    QVERIFY(tabVrel->styleSheet().contains(QStringLiteral("SubTabSelect.png")));
    QVERIFY(tabVrel->styleSheet().contains(QStringLiteral("QPushButton:hover")));
    QVERIFY(tabFrame->styleSheet().contains(QStringLiteral("Subtab_bg.png")));
    QCOMPARE(tabFrame->minimumHeight(), 23);
    QCOMPARE(tabVrel->height(), 23);
    QVERIFY(tabVrel->icon().isNull());

    // Clicking the device tab in the compact look uses the short rule.
    QTest::mouseClick(tabVrel, Qt::LeftButton);
    QVERIFY(!tabVrel->styleSheet().contains(QStringLiteral("QPushButton:hover")));

    w.setStyleSheet(QStringLiteral("/* marker */"));
    w.SetFullStyle(false);
    QCOMPARE(w.styleSheet(), QStringLiteral("/* marker */"));

    w.SetFullStyle(true);
    QCOMPARE(w.styleSheet(), CAPT_VRELMainWnd::FullWindowSheet());
    QCOMPARE(tabVrel->styleSheet(), fullTab);
    QCOMPARE(tabFrame->minimumHeight(), 40);
    QCOMPARE(tabVrel->iconSize(), QSize(32, 32));
    QVERIFY(!tabVrel->icon().isNull());
}

void tst_MainWindow::enlargeAndRestorePositions()
{
    CAPT_VRELMainWnd &w = *m_pWindow;
    CWindowTitle *title = w.TitleBar();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    w.move(40, 30);

    title->ChaneMaxSizeOrRestore();
    QVERIFY(title->IsEnlarged());
    QTRY_COMPARE(w.size(), available.size());
    QCOMPARE(w.pos(), QPoint(0, 0));
    QCOMPARE(title->EnlargeButton()->styleSheet(), CWindowTitle::RestoreStyle());

    title->ChaneMaxSizeOrRestore();
    QVERIFY(!title->IsEnlarged());
    QTRY_COMPARE(w.size(), QSize(1024, 768));
    QCOMPARE(w.pos(), QPoint(available.width() / 2 - 512, available.height() / 2 - 384));
    QCOMPARE(title->EnlargeButton()->styleSheet(), CWindowTitle::EnlargeStyle());

    // A double click on the bar toggles as well.
    QTest::mouseDClick(title->TitleLabel(), Qt::LeftButton);
    QVERIFY(title->IsEnlarged());
    QTest::mouseClick(title->EnlargeButton(), Qt::LeftButton);
    QVERIFY(!title->IsEnlarged());
}

void tst_MainWindow::draggingMovesOnlyWhenNotEnlarged()
{
    CAPT_VRELMainWnd &w = *m_pWindow;
    CWindowTitle *title = w.TitleBar();
    w.move(100, 100);
    QTRY_COMPARE(w.pos(), QPoint(100, 100));

    auto drag = [&](const QPoint &pressLocal, const QPoint &toGlobal) {
        QMouseEvent press(QEvent::MouseButtonPress, pressLocal, title->mapToGlobal(pressLocal),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(title, &press);
        QMouseEvent move(QEvent::MouseMove, title->mapFromGlobal(toGlobal), toGlobal,
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(title, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, title->mapFromGlobal(toGlobal), toGlobal,
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(title, &release);
    };

    // The grabbed point stays under the cursor.
    const QPoint grab(300, 10);
    const QPoint offset = title->mapToParent(grab);
    drag(grab, QPoint(500, 400));
    QTRY_COMPARE(w.pos(), QPoint(500, 400) - offset);

    title->ChangSizeToFull();
    QVERIFY(title->IsEnlarged());
    QTRY_COMPARE(w.pos(), QPoint(0, 0));
    drag(grab, QPoint(700, 600));
    QCoreApplication::processEvents();
    QCOMPARE(w.pos(), QPoint(0, 0));
}

void tst_MainWindow::forwardedRecordAppearsInTheTable()
{
    QAbstractItemModel *model = m_pWindow->findChild<QAbstractItemView *>()->model();
    QVERIFY(model);
    const int before = model->rowCount();
    const VREL_CALLBACK_RECORD record = MakeRecord(FleetDevice(7), VREL_EVENT_FOUND);
    m_pWindow->ForwardDeviceRecord(&record);
    QTRY_COMPARE(model->rowCount(), before + 1);
}

void tst_MainWindow::aboutDialog()
{
    QCOMPARE(CDlgAbout::VersionText(), QStringLiteral(" v2.00.00.01 Build20150827_086"));
    CDlgAbout dlg(nullptr);
    QCOMPARE(dlg.size(), QSize(520, 200));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QCOMPARE(dlg.GetTitle(), QStringLiteral("About"));
    auto *version = dlg.findChild<QLabel *>(QStringLiteral("pLabelAbout"));
    QVERIFY(version);
    QCOMPARE(version->text(), CDlgAbout::VersionText());

    QTimer::singleShot(0, &dlg, [&dlg] {
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("m_pOkBtn")), Qt::LeftButton);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));

    // The version entry of the help menu runs the dialog modally.
    bool seen = false;
    QTimer::singleShot(0, this, [&seen] {
        auto *about = qobject_cast<CDlgAbout *>(QApplication::activeModalWidget());
        seen = about != nullptr;
        if (about)
            about->accept();
    });
    m_pWindow->GetVersion();
    QVERIFY(seen);
}

void tst_MainWindow::helpMenuOffersManualAndVersion()
{
    QStringList entries;
    QTimer::singleShot(0, this, [&entries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            entries << action->text() + QLatin1Char('|') + action->shortcut().toString();
        menu->close();
    });
    QTest::mouseClick(m_pWindow->findChild<QPushButton *>(QStringLiteral("m_pBtnAbout")), Qt::LeftButton);
    QCOMPARE(entries, QStringList({QStringLiteral("Help|F1"), QStringLiteral("Version|")}));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
