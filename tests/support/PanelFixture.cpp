#include "PanelFixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>

#include "VrelDouble.h"
#include "discovery/DiscoveryCallback.h"
#include "discovery/QtVrelItemModel.h"
#include "panel/UrlOpener.h"
#include "widgets/CTableView.h"
#include "widgets/CWarnDlg.h"

PanelFixture::PanelFixture(Start start)
{
    VrelDouble::reset();
    // The presence check needs a library that loads everywhere, or one that never does.
    qputenv("VREL_PACKET_LIBRARY", start == Start::NoPacketLibrary ? "libvrel-no-such-library.so" : "libc.so.6");
    if (start == Start::StartRefused)
        VrelDouble::setResult("VREL_Start_V30", 0);

    CWarnDlg::SetTestHook([this](const QString &title, const QString &text) {
        m_messages.append({title, text});
        return 1;
    });
    UrlOpener::SetOpenerForTest([this](const QUrl &url) {
        m_urls.append(url);
        return true;
    });

    m_panel = std::make_unique<QtVrel>();
    m_panel->resize(1280, 900);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

PanelFixture::~PanelFixture()
{
    destroyPanel();
    CWarnDlg::SetTestHook(nullptr);
    UrlOpener::SetOpenerForTest(nullptr);
    VrelDouble::reset();
}

void PanelFixture::destroyPanel()
{
    m_panel.reset();
}

QStandardItemModel *PanelFixture::model() const
{
    return m_panel->Model();
}

void PanelFixture::report(const TestDevice &device, int event)
{
    const VREL_CALLBACK_RECORD record = MakeRecord(device, event);
    DiscoveryCallback(&record, nullptr);
}

void PanelFixture::reportFromLibrary(const TestDevice &device, int event)
{
    VrelDouble::inject(MakeRecord(device, event));
    QVERIFY(VrelDouble::waitDelivered());
    QCoreApplication::processEvents();
}

QString PanelFixture::cell(int row, int column) const
{
    const QStandardItem *item = model()->item(row, column);
    return item ? item->text() : QString();
}

int PanelFixture::rows() const
{
    return model()->rowCount();
}

void PanelFixture::selectRows(const QList<int> &rowList)
{
    auto *view = child<CTableView>("tableWidgetDevice");
    QItemSelectionModel *selection = view->selectionModel();
    selection->clearSelection();
    bool first = true;
    for (int row : rowList) {
        const QModelIndex index = model()->index(row, 0);
        if (first)
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        else
            selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        first = false;
    }
    m_panel->OnDeviceTableClicked(rowList.isEmpty() ? QModelIndex() : model()->index(rowList.first(), 0));
}

QLineEdit *PanelFixture::edit(const char *name) const
{
    return child<QLineEdit>(name);
}

QWidget *PanelFixture::widget(const char *name) const
{
    return child<QWidget>(name);
}

void PanelFixture::click(const char *buttonName)
{
    auto *button = child<QAbstractButton>(buttonName);
    QVERIFY2(button, buttonName);
    button->click();
}

QList<ShownMessage> PanelFixture::takeMessages()
{
    QList<ShownMessage> out;
    out.swap(m_messages);
    return out;
}
