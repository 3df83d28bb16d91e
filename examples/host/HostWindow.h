// The host's own window: a panel of its own on the left, the embedded tool
// on the right, menus to switch the tool's title bar and look and to feed it
// the host's devices.
#pragma once

#include <memory>

#include <QMainWindow>

namespace Ui {
class HostWindow;
}
class DeviceFeeder;
class ToolModule;

class HostWindow : public QMainWindow
{
    Q_OBJECT

public:
    HostWindow(const ToolModule &tool, int feedCount, QWidget *parent = nullptr);
    ~HostWindow() override;

    // Puts the tool into the host's layout; false when the module refused.
    bool ShowTool(bool showTitle);
    void SetFullLook(bool full);
    void FeedDevices();

private slots:
    void on_actionQuit_triggered();
    void on_actionTitleBar_toggled(bool checked);
    void on_actionFullLook_triggered();
    void on_actionCompactLook_triggered();
    void on_actionFeed_triggered();
    void on_actionWithdraw_triggered();
    void OnRecordFed(const QString &line);

private:
    std::unique_ptr<Ui::HostWindow> m_pUi;
    const ToolModule &m_tool;
    // Destroyed before the tool's window: no record arrives after it.
    DeviceFeeder *m_pFeeder = nullptr;
    int m_nFeedCount;
};
