// A device panel on the scripted discovery library, with the message boxes
// and the browser answered without a person.
#pragma once

#include <memory>

#include <QList>
#include <QString>
#include <QUrl>

#include "TestRecords.h"
#include "panel/QtVrel.h"

class QLineEdit;
class QAbstractButton;
class QLabel;
class QWidget;
class QStandardItemModel;

struct ShownMessage
{
    QString title;
    QString text;
};

// Friend of QtVrel: reaches the panel's lock and list.
class QtVrelTestAccess
{
public:
    static void Lock(QtVrel *panel) { panel->LockDeviceList(); }
    static void Unlock(QtVrel *panel) { panel->UnlockDeviceList(); }
    static int DebugCount(QtVrel *panel) { return panel->m_nDebugCount; }
    static bool ActivateMode(QtVrel *panel) { return panel->m_bActivateMode; }
};

class PanelFixture
{
public:
    enum class Start { Running, NoPacketLibrary, StartRefused };

    // Resets the double and builds a panel that starts as asked.
    explicit PanelFixture(Start start = Start::Running);
    ~PanelFixture();

    QtVrel *panel() const { return m_panel.get(); }
    QStandardItemModel *model() const;
    void destroyPanel();

    // Reports a device as the library would, on this thread (handlers run at once).
    void report(const TestDevice &device, int event);
    // The same from the library's own thread; waits until the rows show it.
    void reportFromLibrary(const TestDevice &device, int event);

    QString cell(int row, int column) const;
    int rows() const;

    // Selects rows as a user would (click, ctrl-click), running the panel's slots.
    void selectRows(const QList<int> &rows);

    template<typename T>
    T *child(const char *name) const { return m_panel->findChild<T *>(QString::fromLatin1(name)); }
    QLineEdit *edit(const char *name) const;
    QWidget *widget(const char *name) const;
    void click(const char *buttonName);

    // Messages shown since the last call; the next answers may be queued.
    QList<ShownMessage> takeMessages();
    QList<QUrl> openedUrls() const { return m_urls; }

private:
    std::unique_ptr<QtVrel> m_panel;
    QList<ShownMessage> m_messages;
    QList<QUrl> m_urls;
};
