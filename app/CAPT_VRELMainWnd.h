// The program's one window: title bar, a tab strip with the device page and
// a help menu, and the device panel below.
#pragma once

#include <memory>

#include <QMainWindow>

#include <Vrel.h>

namespace Ui {
class CAPT_VRELMainWndClass;
}
class CWindowTitle;
class QStackedWidget;
class QtVrel;

class CAPT_VRELMainWnd : public QMainWindow
{
    Q_OBJECT

public:
    explicit CAPT_VRELMainWnd(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~CAPT_VRELMainWnd() override;

    void SetTitleVisible(bool visible);
    // Full look (true) or the compact look for hosts; asking for the current
    // look does nothing.
    void SetFullStyle(bool full);
    bool IsFullStyle() const { return m_bFullStyle; }

    // Asks the desktop to open the user manual in the current directory.
    bool OpenManual();
    // Hands a record to the device panel as the discovery library would.
    void ForwardDeviceRecord(const VREL_CALLBACK_RECORD *record);

    // The manual's file name for a Translator setting.
    static QString ManualFileName(int translator);

    CWindowTitle *TitleBar() const { return m_pTitle; }
    QtVrel *DevicePanel() const { return m_pPanel; }
    QStackedWidget *PageStack() const { return m_pStack; }

    // The style sheets of the two looks and of the tab buttons.
    static QString FullWindowSheet();
    static QString CompactWindowSheet();

public slots:
    void on_m_pBtnVrel_clicked();
    void on_m_pBtnAbout_clicked();
    void OnGetHelp();
    void GetVersion();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_bFullStyle = true;
    std::unique_ptr<Ui::CAPT_VRELMainWndClass> m_pUi;
    QtVrel *m_pPanel = nullptr;
    QStackedWidget *m_pStack = nullptr;
    CWindowTitle *m_pTitle = nullptr;
};
