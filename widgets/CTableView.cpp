#include "widgets/CTableView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>

#include "widgets/CHeaderView.h"
#include "widgets/CTableDelegate.h"
#include "widgets/ItemRoles.h"

namespace {

bool IsButton(const QModelIndex& index)
{
    const QVariant value = index.data(ButtonRole);
    return value.isValid() && value.toBool();
}

} // namespace

CTableView::CTableView(QWidget* parent)
    : QTreeView(parent)
{
    setHeader(new CHeaderView(Qt::Horizontal, this));
    setItemDelegate(new CTableDelegate(this));
    setAllColumnsShowFocus(true);
    setIndentation(0);
    setExpandsOnDoubleClick(false);
    setRootIsDecorated(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    connect(HeaderView(), &CHeaderView::SignalCheckStateChanged, this, &CTableView::SignalHeaderCheckStateChanged);

    m_pDefaultModel = new QStandardItemModel(this);
    QTreeView::setModel(m_pDefaultModel);
    ConnectCurrentChange();
}

CHeaderView* CTableView::HeaderView() const
{
    return static_cast<CHeaderView*>(header());
}

void CTableView::ConnectCurrentChange()
{
    disconnect(m_currentConnection);
    if (selectionModel()) {
        m_currentConnection = connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
                                      &CTableView::currentItemChanged);
    }
}

void CTableView::setModel(QAbstractItemModel* newModel)
{
    // The default model exists only until the owner brings its own; other
    // models belong to whoever set them and are never deleted here.
    QStandardItemModel* defaultModel = m_pDefaultModel;
    QTreeView::setModel(newModel);
    if (defaultModel && newModel != defaultModel) {
        m_pDefaultModel.clear();
        delete defaultModel;
    }
    ConnectCurrentChange();
    expandAll();
}

void CTableView::SetLinkCursor(bool bLink)
{
    setMouseTracking(bLink);
    m_bLinkCursor = bLink;
}

void CTableView::SetRowLineVisible(bool bVisible)
{
    m_bRowLine = bVisible;
    viewport()->update();
}

void CTableView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QTreeView::drawRow(painter, option, index);
    if (!m_bRowLine)
        return;
    painter->save();
    painter->setPen(QColor(229, 229, 229));
    const QRect& r = option.rect;
    painter->drawLine(QPoint(r.left() + 2, r.bottom()), QPoint(r.right(), r.bottom()));
    painter->restore();
}

void CTableView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex item = indexAt(event->position().toPoint());
    m_pressedIndex = item;
    if (event->button() == Qt::LeftButton && IsButton(item))
        emit PressedBtn(item);
    QTreeView::mousePressEvent(event);
}

void CTableView::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex item = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && item.isValid() && item == QModelIndex(m_pressedIndex) && IsButton(item))
        emit ClickedBtn(item);
    QTreeView::mouseReleaseEvent(event);
    emit SignalClickRelease(item);
}

void CTableView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bLinkCursor) {
        const QModelIndex item = indexAt(event->position().toPoint());
        viewport()->setCursor(IsClickableIndex(item) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QTreeView::mouseMoveEvent(event);
}

bool CTableView::viewportEvent(QEvent* event)
{
    if (m_bLinkCursor && (event->type() == QEvent::Enter || event->type() == QEvent::Leave))
        viewport()->setCursor(Qt::ArrowCursor);
    return QTreeView::viewportEvent(event);
}

bool CTableView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // One press opens the editor of a clickable item.
    if (m_bLinkCursor && event && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && trigger == NoEditTriggers
        && IsClickableIndex(index)) {
        trigger = DoubleClicked;
    }
    return QTreeView::edit(index, trigger, event);
}

bool CTableView::IsClickableIndex(const QModelIndex& index) const
{
    if (index.data(ItemFlagsRole).toInt() & kClickableItemFlag)
        return true;
    return IsButton(index);
}

bool CTableView::EnsureColumn(int column)
{
    QAbstractItemModel* m = model();
    if (!m || column < 0)
        return false;
    if (column >= m->columnCount())
        return m->insertColumn(column);
    return true;
}

void CTableView::SetItemText(int row, int column, const QString& text)
{
    QAbstractItemModel* m = model();
    if (!m || column < 0)
        return;
    if (column >= m->columnCount())
        m->insertColumn(column);
    const QModelIndex index = m->index(row, column);
    if (!index.isValid())
        return;
    m->setData(index, text, Qt::EditRole);
    m->setData(index, text, Qt::ToolTipRole);
}

QString CTableView::GetItemText(int row, int column) const
{
    return model() ? model()->index(row, column).data(Qt::DisplayRole).toString() : QString();
}

int CTableView::RowCount() const
{
    return model() ? model()->rowCount() : 0;
}

int CTableView::AppendRow()
{
    QAbstractItemModel* m = model();
    if (!m)
        return -1;
    // Under the last row's parent; top-level rows in a flat table.
    const int rows = m->rowCount();
    const QModelIndex parent = rows > 0 ? m->index(rows - 1, 0).parent() : QModelIndex();
    const int row = m->rowCount(parent);
    return m->insertRow(row, parent) ? row : -1;
}

int CTableView::InsertFirstRow()
{
    QAbstractItemModel* m = model();
    return m && m->insertRow(0) ? 0 : -1;
}

int CTableView::InsertRowAt(int row)
{
    QAbstractItemModel* m = model();
    if (!m || row < 0 || row >= m->rowCount())
        return -1;
    return m->insertRow(row) ? row : -1;
}

void CTableView::RemoveRowAt(int row)
{
    QAbstractItemModel* m = model();
    if (m && row >= 0 && row < m->rowCount())
        m->removeRow(row);
}

void CTableView::RemoveLastRow()
{
    QAbstractItemModel* m = model();
    if (m && m->rowCount() > 0)
        m->removeRow(m->rowCount() - 1);
}

void CTableView::SetHeaderLabels(const QStringList& labels)
{
    QAbstractItemModel* m = model();
    if (!m)
        return;
    for (int i = 0; i < labels.size(); ++i) {
        m->insertColumn(i);
        m->setHeaderData(i, Qt::Horizontal, labels.at(i), Qt::DisplayRole);
    }
}

void CTableView::SetHeaderText(int column, const QString& text)
{
    if (!EnsureColumn(column))
        return;
    model()->setHeaderData(column, Qt::Horizontal, text, Qt::DisplayRole);
}

void CTableView::ClearHeaderTexts(int count)
{
    QAbstractItemModel* m = model();
    if (!m)
        return;
    for (int i = 0; i < count && i < m->columnCount(); ++i)
        m->setHeaderData(i, Qt::Horizontal, QString(), Qt::DisplayRole);
}

void CTableView::SetHeaderChecked(int section, bool checked)
{
    QAbstractItemModel* m = model();
    if (!m || section < 0 || section >= m->columnCount())
        return;
    m->setHeaderData(section, Qt::Horizontal, int(checked ? Qt::Checked : Qt::Unchecked), Qt::CheckStateRole);
    // Room for the box was once made with two leading blanks; the box now
    // places the label itself.
    const QString text = m->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
    if (text.startsWith(QLatin1String("  ")))
        m->setHeaderData(section, Qt::Horizontal, text.mid(2), Qt::DisplayRole);
    header()->viewport()->update();
}

void CTableView::SetItemChecked(int row, int column, bool checked)
{
    QAbstractItemModel* m = model();
    if (!m)
        return;
    const QModelIndex index = m->index(row, column);
    if (index.isValid())
        m->setData(index, int(checked ? Qt::Checked : Qt::Unchecked), Qt::CheckStateRole);
}

void CTableView::SetItemButton(int row, int column, const QString& text, const QIcon& icon)
{
    if (!EnsureColumn(column))
        return;
    const QModelIndex index = model()->index(row, column);
    if (!index.isValid())
        return;
    model()->setData(index, true, ButtonRole);
    model()->setData(index, icon, Qt::DecorationRole);
    model()->setData(index, text, Qt::DisplayRole);
}

void CTableView::SetItemButtonState(int row, int column, unsigned int state)
{
    if (!EnsureColumn(column))
        return;
    const QModelIndex index = model()->index(row, column);
    if (!index.isValid())
        return;
    model()->setData(index, state, ButtonRole);
    model()->setData(index, 0, Qt::DecorationRole);
}

void CTableView::SetItemMaxBytes(int row, int column, int maxBytes)
{
    SetItemData(row, column, maxBytes, MaxBytesRole);
}

void CTableView::SetItemWidget(int row, int column, QWidget* widget)
{
    if (!EnsureColumn(column))
        return;
    const QModelIndex index = model()->index(row, column);
    if (index.isValid())
        setIndexWidget(index, widget);
}

bool CTableView::SetItemData(int row, int column, const QVariant& value, int role)
{
    QAbstractItemModel* m = model();
    return m && m->setData(m->index(row, column), value, role);
}

QVariant CTableView::GetItemData(int row, int column, int role) const
{
    return model() ? model()->index(row, column).data(role) : QVariant();
}

QModelIndex CTableView::ItemIndex(int row, int column, const QModelIndex& parent) const
{
    return model() ? model()->index(row, column, parent) : QModelIndex();
}

QStandardItemModel* CTableView::RecordModel() const
{
    return qobject_cast<QStandardItemModel*>(model());
}

void CTableView::AppendRecords(const QList<CUserDataInterface>& records)
{
    QStandardItemModel* m = RecordModel();
    if (!m)
        return;
    for (const CUserDataInterface& record : records) {
        QList<QStandardItem*> items;
        for (const QVariant& value : record.Values()) {
            auto* item = new QStandardItem;
            item->setData(value, Qt::DisplayRole);
            items << item;
        }
        m->appendRow(items);
    }
}

CUserDataInterface CTableView::GetItemRecord(int row) const
{
    CUserDataInterface record;
    QStandardItemModel* m = RecordModel();
    if (!m || row < 0 || row >= m->rowCount())
        return record;
    for (int column = 0; column < m->columnCount(); ++column)
        record.Append(m->index(row, column).data(Qt::DisplayRole));
    return record;
}

bool CTableView::SetItemRecord(int row, const CUserDataInterface& record)
{
    QStandardItemModel* m = RecordModel();
    if (!m || row < 0 || row >= m->rowCount())
        return false;
    if (m->columnCount() < record.Count())
        m->setColumnCount(record.Count());
    for (int column = 0; column < record.Count(); ++column)
        m->setData(m->index(row, column), record.Value(column), Qt::DisplayRole);
    return true;
}

QStandardItem* CTableView::ItemFromIndex(const QModelIndex& index) const
{
    QStandardItemModel* m = RecordModel();
    return m && index.model() == m ? m->itemFromIndex(index) : nullptr;
}

void CTableView::ClearRecords()
{
    if (QStandardItemModel* m = RecordModel())
        m->removeRows(0, m->rowCount());
}
