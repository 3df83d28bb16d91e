#include "LivePanel.h"

#include <optional>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "discovery/QtVrelItemModel.h"
#include "panel/UrlOpener.h"
#include "widgets/CFileDialog.h"
#include "widgets/CPathComboBox.h"
#include "widgets/CTableView.h"
#include "widgets/CWarnDlg.h"

namespace e2e {

LivePanel::LivePanel()
{
    // The presence check only needs a library that loads; the capture library
    // itself is never used.
    qputenv("VREL_PACKET_LIBRARY", "libc.so.6");

    CWarnDlg::SetTestHook([this](const QString &title, const QString &text) {
        m_messages.append({title, text});
        return 1;
    });
    CFileDialog::SetTestHook([this](const CFileDialog::Request &) -> std::optional<QStringList> {
        if (m_chooserAnswers.isEmpty())
            return std::nullopt;
        return QStringList{m_chooserAnswers.takeFirst()};
    });
    UrlOpener::SetOpenerForTest([](const QUrl &) { return true; });

    m_panel = std::make_unique<QtVrel>();
    // Queued, so the record is read on this thread, after the panel's own handler.
    connect(m_panel.get(), &QtVrel::DeviceUpdateSignal, this,
            [this](const VREL_DEVICE_INFO_MY &info) {
                m_announcements.append({FieldText(info.szSerialNo), FieldText(info.szIPv4Address),
                                        FieldText(info.szIPv4SubnetMask), info.byDhcpState, info.byActivation});
            },
            Qt::QueuedConnection);
    m_panel->resize(1280, 900);
    m_panel->show();
    if (!QTest::qWaitForWindowExposed(m_panel.get()))
        qWarning("the device panel was never exposed");
}

LivePanel::~LivePanel()
{
    // Stops the library before the hooks go.
    m_panel.reset();
    CWarnDlg::SetTestHook(nullptr);
    CFileDialog::SetTestHook(nullptr);
    UrlOpener::SetOpenerForTest(nullptr);
}

QStandardItemModel *LivePanel::Model() const
{
    return m_panel->Model();
}

int LivePanel::Rows() const
{
    return Model()->rowCount();
}

QString LivePanel::Cell(int row, int column) const
{
    const QStandardItem *item = Model()->item(row, column);
    return item ? item->text() : QString();
}

int LivePanel::RowOf(const QString &serial) const
{
    for (int row = 0; row < Rows(); ++row) {
        if (Cell(row, QtVrelItemModel::ColumnSerialNumber) == serial)
            return row;
    }
    return -1;
}

void LivePanel::SelectRows(const QList<int> &rows)
{
    auto *view = Child<CTableView>("tableWidgetDevice");
    bool first = true;
    for (int row : rows) {
        const QModelIndex index = Model()->index(row, QtVrelItemModel::ColumnDeviceType);
        view->scrollTo(index);
        const QPoint centre = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, first ? Qt::NoModifier : Qt::ControlModifier, centre);
        first = false;
    }
}

QLineEdit *LivePanel::Edit(const char *name) const
{
    return Child<QLineEdit>(name);
}

bool LivePanel::Click(const char *buttonName)
{
    auto *button = Child<QAbstractButton>(buttonName);
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

bool LivePanel::ChooseInPathBox(const char *boxName, const QString &path)
{
    auto *box = Child<CPathComboBox>(boxName);
    if (!box || !box->isVisible() || !box->isEnabled())
        return false;
    m_chooserAnswers = {path};
    box->showPopup();
    const bool answered = m_chooserAnswers.isEmpty();
    m_chooserAnswers.clear();
    return answered;
}

QList<ShownMessage> LivePanel::TakeMessages()
{
    QList<ShownMessage> out;
    out.swap(m_messages);
    return out;
}

void LivePanel::ShowNextMessageForReal(std::function<void(CWarnDlg *)> handler)
{
    m_realMessageHandler = std::move(handler);
    CWarnDlg::SetTestHook(nullptr);
    AnswerRealMessage();
}

void LivePanel::AnswerRealMessage()
{
    // Polls until the message is on screen, lets the handler look at it,
    // answers it with Return and puts the recording hook back.
    QTimer::singleShot(50, this, [this] {
        CWarnDlg *dialog = nullptr;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            if (auto *d = qobject_cast<CWarnDlg *>(w); d && d->isVisible())
                dialog = d;
        }
        if (!dialog) {
            AnswerRealMessage();
            return;
        }
        const auto *browser = dialog->findChild<QTextBrowser *>(QStringLiteral("m_pBrowserTxt"));
        m_messages.append({dialog->GetTitle(), browser ? browser->toPlainText() : QString()});
        if (m_realMessageHandler)
            m_realMessageHandler(dialog);
        m_realMessageHandler = nullptr;
        QTest::keyClick(dialog, Qt::Key_Return);
        CWarnDlg::SetTestHook([this](const QString &title, const QString &text) {
            m_messages.append({title, text});
            return 1;
        });
    });
}

QList<DeviceAnnouncement> LivePanel::Announcements(const QString &serial) const
{
    QList<DeviceAnnouncement> out;
    for (const DeviceAnnouncement &a : m_announcements) {
        if (a.serial == serial)
            out.append(a);
    }
    return out;
}

} // namespace e2e
