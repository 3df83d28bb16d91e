#include "CAPT_VRELMainWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QStackedWidget>

#include "ui_CAPT_VRELMainWnd.h"

#include "app/CDlgAbout.h"
#include "app/CWindowTitle.h"
#include "app/ClientConfigManager.h"
#include "discovery/DiscoveryCallback.h"
#include "panel/QtVrel.h"
#include "panel/UrlOpener.h"
#include "widgets/CWarnDlg.h"

namespace {

const QString kTabSelect = QStringLiteral(
    "QPushButton{border-image:url(:/images/Tab/TabSelect.png); color: rgb(255, 255, 255); border-width:0px;}");
const QString kTabUnselect = QStringLiteral(
    "QPushButton{border-image:url(:/images/Tab/TabUnselect.png); color: rgb(255, 255, 255); border-width:0px;}");
const QString kSubTabSelect = QStringLiteral(
    "QPushButton{border-image:url(:/images/Tab/SubTabSelect.png); color: rgb(255, 0, 0); border-width:0px;}");
const QString kSubTabSelectSwitched = kSubTabSelect + QStringLiteral(
    "\t\t\t\t\t\t\t\t\t  QPushButton:hover,QPushButton:pressed,QPushButton:focus{border-image:border-image:url(:/images/Tab/SubTabSelect.png); color: rgb(255, 255, 255); border-width:0px;}");
const QString kSubTabUnselect = QStringLiteral(
    "QPushButton{border-image:url(:/images/Tab/SubTabUnselect.png); color: rgb(0, 0, 0); border-width:0px;}");
const QString kTabStripFull = QStringLiteral(
    "QFrame{background-image:url(:/images/Tab/tab_bg.png); border:none;}");
const QString kTabStripCompact = QStringLiteral(
    "QFrame{background-image:url(:/images/Tab/Subtab_bg.png); border:none;}");

} // namespace

QString CAPT_VRELMainWnd::FullWindowSheet()
{
    return QStringLiteral("QMainWindow#CAPT_VRELMainWndClass{border-image:url(\":/images/Dialog/dialog_bg2.png\") 58;\n"
                          "border-width:58;}");
}

QString CAPT_VRELMainWnd::CompactWindowSheet()
{
    return QStringLiteral("QMainWindow#CAPT_VRELMainWndClass{border-image:url(\":/images/Dialog/dialog_bg2.png\") 58;\n"
                          "border-width:23 58 58 58;}");
}

CAPT_VRELMainWnd::CAPT_VRELMainWnd(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
    , m_bFullStyle(true)
    , m_pUi(std::make_unique<Ui::CAPT_VRELMainWndClass>())
{
    m_pUi->setupUi(this);
    setStyleSheet(FullWindowSheet());
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint);

    m_pTitle = new CWindowTitle(this);
    m_pUi->pGridLayout->addWidget(m_pTitle, 0, 0, 1, 2);

    m_pStack = new QStackedWidget(this);
    m_pUi->pGridLayout->addWidget(m_pStack, 2, 0, 1, 1);

    m_pPanel = new QtVrel(this);
    m_pStack->addWidget(m_pPanel);

    m_pUi->m_pBtnAbout->setStyleSheet(kTabUnselect);
    m_pUi->verticalSpacerTop->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);

    on_m_pBtnVrel_clicked();
    setFixedSize(1024, 768);
    SetTitleVisible(true);
}

CAPT_VRELMainWnd::~CAPT_VRELMainWnd()
{
    delete m_pTitle;
    m_pTitle = nullptr;
    delete m_pPanel;
    m_pPanel = nullptr;
    delete m_pStack;
    m_pStack = nullptr;
}

void CAPT_VRELMainWnd::SetTitleVisible(bool visible)
{
    m_pTitle->setVisible(visible);
}

void CAPT_VRELMainWnd::SetFullStyle(bool full)
{
    if (full == m_bFullStyle)
        return;
    m_bFullStyle = full;

    QPushButton *tabs[] = {m_pUi->m_pBtnVrel, m_pUi->m_pBtnAbout};
    if (full) {
        setStyleSheet(FullWindowSheet());
        m_pUi->m_pBtnVrel->setStyleSheet(kTabSelect);
        m_pUi->m_pBtnAbout->setStyleSheet(kTabUnselect);
        m_pUi->pTabFrame->setStyleSheet(kTabStripFull);
        m_pUi->pTabFrame->setMinimumHeight(40);
        m_pUi->m_pBtnVrel->setIcon(QIcon(QStringLiteral(":/images/ButtonIcon/menu_search.png")));
        m_pUi->m_pBtnAbout->setIcon(QIcon(QStringLiteral(":/images/ButtonIcon/menu_info.png")));
        for (QPushButton *tab : tabs) {
            tab->setFixedHeight(40);
            tab->setIconSize(QSize(32, 32));
        }
    } else {
        setStyleSheet(CompactWindowSheet());
        m_pUi->m_pBtnVrel->setStyleSheet(kSubTabSelectSwitched);
        m_pUi->m_pBtnAbout->setStyleSheet(kSubTabUnselect);
        m_pUi->pTabFrame->setStyleSheet(kTabStripCompact);
        m_pUi->pTabFrame->setMinimumHeight(23);
        for (QPushButton *tab : tabs) {
            tab->setFixedHeight(23);
            tab->setIcon(QIcon());
            tab->setIconSize(QSize(16, 16));
        }
    }
}

QString CAPT_VRELMainWnd::ManualFileName(int translator)
{
    if (translator == 1)
        return QStringLiteral("设备网络搜索用户使用手册.pdf");
    return QStringLiteral("User Manual of Ondra Software.pdf");
}

bool CAPT_VRELMainWnd::OpenManual()
{
    const int translator = ClientConfigManager::Instance()->IntValue(ConfigTranslator);
    // The manual is looked for where the program was started from.
    const QString path = QDir::currentPath() + QLatin1Char('/') + ManualFileName(translator);
    // A desktop launcher reports success even for a file that is not there.
    if (!QFileInfo(path).isFile())
        return false;
    return UrlOpener::Open(QUrl::fromLocalFile(path));
}

void CAPT_VRELMainWnd::ForwardDeviceRecord(const VREL_CALLBACK_RECORD *record)
{
    DiscoveryCallback(record, m_pPanel);
}

void CAPT_VRELMainWnd::on_m_pBtnVrel_clicked()
{
    m_pStack->setCurrentIndex(0);
    m_pUi->m_pBtnVrel->setStyleSheet(m_bFullStyle ? kTabSelect : kSubTabSelect);
}

void CAPT_VRELMainWnd::on_m_pBtnAbout_clicked()
{
    QMenu menu;
    QAction *help = menu.addAction(QIcon(QStringLiteral(":/images/Help.png")), QObject::tr("Help"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    connect(help, &QAction::triggered, this, &CAPT_VRELMainWnd::OnGetHelp);
    QAction *version = menu.addAction(QIcon(QStringLiteral(":/images/About.png")), QObject::tr("Version"));
    connect(version, &QAction::triggered, this, &CAPT_VRELMainWnd::GetVersion);
    menu.exec(QCursor::pos());
}

void CAPT_VRELMainWnd::OnGetHelp()
{
    if (!OpenManual()) {
        CWarnDlg dlg(this);
        dlg.ShowInfo(tr("Info"), tr("Can not find Manual."));
    }
}

void CAPT_VRELMainWnd::GetVersion()
{
    CDlgAbout dlg(nullptr);
    dlg.exec();
}

void CAPT_VRELMainWnd::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1)
        OnGetHelp();
    event->accept();
}

void CAPT_VRELMainWnd::closeEvent(QCloseEvent *event)
{
    if (ShowQuestionMsgBox(tr("Confirm"), tr("Sure to close software"), this) == 1) {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        event->accept();
    } else {
        event->ignore();
    }
}
