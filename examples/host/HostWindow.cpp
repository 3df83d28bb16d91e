#include "HostWindow.h"

#include <QActionGroup>
#include <QSignalBlocker>

#include "ui_HostWindow.h"

#include "DeviceFeeder.h"
#include "ToolModule.h"

namespace {
const int kFeedIntervalMs = 150;
}

HostWindow::HostWindow(const ToolModule &tool, int feedCount, QWidget *parent)
    : QMainWindow(parent)
    , m_pUi(std::make_unique<Ui::HostWindow>())
    , m_tool(tool)
    , m_nFeedCount(feedCount)
{
    m_pUi->setupUi(this);
    auto *looks = new QActionGroup(this);
    looks->addAction(m_pUi->actionFullLook);
    looks->addAction(m_pUi->actionCompactLook);

    m_pFeeder = new DeviceFeeder([&tool](const VREL_CALLBACK_RECORD &record) { tool.Feed(record); }, this);
    connect(m_pFeeder, &DeviceFeeder::RecordFed, this, &HostWindow::OnRecordFed);
    m_pUi->labelStatus->setText(tr("This panel belongs to the host. The device tool on the right is "
                                   "loaded from its module at run time."));
}

HostWindow::~HostWindow()
{
    // The feeder's thread calls into the tool: stop it while the tool's
    // window is still there (it goes with the central widget afterwards).
    delete m_pFeeder;
    m_pFeeder = nullptr;
}

bool HostWindow::ShowTool(bool showTitle)
{
    const bool shown = m_tool.Open(m_pUi->toolArea, m_pUi->toolLayout, showTitle);
    const QSignalBlocker quiet(m_pUi->actionTitleBar);
    m_pUi->actionTitleBar->setChecked(showTitle);
    statusBar()->showMessage(shown ? tr("Tool shown") : tr("The tool could not be shown"));
    return shown;
}

void HostWindow::SetFullLook(bool full)
{
    m_tool.SetFullLook(full);
    (full ? m_pUi->actionFullLook : m_pUi->actionCompactLook)->setChecked(true);
}

void HostWindow::FeedDevices()
{
    m_pFeeder->Run(m_nFeedCount, VREL_EVENT_FOUND, kFeedIntervalMs);
}

void HostWindow::on_actionQuit_triggered()
{
    close();
}

void HostWindow::on_actionTitleBar_toggled(bool checked)
{
    // Opening again moves nothing: the same window, title bar as asked.
    m_tool.Open(m_pUi->toolArea, m_pUi->toolLayout, checked);
}

void HostWindow::on_actionFullLook_triggered()
{
    SetFullLook(true);
}

void HostWindow::on_actionCompactLook_triggered()
{
    SetFullLook(false);
}

void HostWindow::on_actionFeed_triggered()
{
    FeedDevices();
}

void HostWindow::on_actionWithdraw_triggered()
{
    m_pFeeder->Run(m_nFeedCount, VREL_EVENT_GONE, kFeedIntervalMs);
}

void HostWindow::OnRecordFed(const QString &line)
{
    m_pUi->listFed->addItem(line);
    m_pUi->listFed->scrollToBottom();
}
