// The real device panel on the real discovery library: no scripted double.
// Message boxes and file choosers are answered without a person; the user's
// clicks on the device table are real mouse events.
#pragma once

#include <functional>
#include <memory>

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include "panel/QtVrel.h"

class QLineEdit;
class QStandardItemModel;
class CWarnDlg;

namespace e2e {

struct ShownMessage
{
    QString title;
    QString text;
};

// What the library reported about a known device after it changed.
struct DeviceAnnouncement
{
    QString serial;
    QString ipv4;
    QString mask;
    int dhcp = 0;
    int activation = 0;
};

class LivePanel : public QObject
{
    Q_OBJECT

public:
    LivePanel();
    ~LivePanel() override;

    QtVrel *Panel() const { return m_panel.get(); }
    QStandardItemModel *Model() const;
    int Rows() const;
    QString Cell(int row, int column) const;
    // The first row showing this serial number, or -1.
    int RowOf(const QString &serial) const;

    // Clicks the rows' device type cells as a user would: the first plainly,
    // the others with Ctrl held.
    void SelectRows(const QList<int> &rows);

    template<typename T>
    T *Child(const char *name) const
    {
        return m_panel->findChild<T *>(QString::fromLatin1(name));
    }
    QLineEdit *Edit(const char *name) const;
    // Clicks a button; false when there is none or it is hidden or disabled.
    bool Click(const char *buttonName);
    // Opens the path box's chooser, which picks path.
    bool ChooseInPathBox(const char *boxName, const QString &path);

    // Messages answered since the last call.
    QList<ShownMessage> TakeMessages();
    // The next message is shown for real; handler sees it on screen before it
    // is answered with Return.
    void ShowNextMessageForReal(std::function<void(CWarnDlg *)> handler);

    // Change reports of the library for a device, in arrival order.
    QList<DeviceAnnouncement> Announcements(const QString &serial) const;

private:
    void AnswerRealMessage();

    std::unique_ptr<QtVrel> m_panel;
    QList<ShownMessage> m_messages;
    QList<DeviceAnnouncement> m_announcements;
    QStringList m_chooserAnswers;
    std::function<void(CWarnDlg *)> m_realMessageHandler;
};

} // namespace e2e
