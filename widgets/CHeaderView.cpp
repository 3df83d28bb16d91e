#include "widgets/CHeaderView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionButton>
#include <QTreeView>

CHeaderView::CHeaderView(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
    , m_pView(parent)
{
    setStretchLastSection(true);
    setSectionsClickable(true);
}

void CHeaderView::setModel(QAbstractItemModel* newModel)
{
    if (newModel == model())
        return;
    disconnect(m_dataChangedConnection);
    if (newModel) {
        m_dataChangedConnection = connect(newModel, &QAbstractItemModel::dataChanged, this,
                                          [this](const QModelIndex& topLeft) { OnDataChanged(topLeft); });
    }
    QHeaderView::setModel(newModel);
}

Qt::CheckState CHeaderView::StateFromRows(const QAbstractItemModel* model)
{
    bool anyChecked = false;
    bool anyUnchecked = false;
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        const int state = model->index(row, 0).data(Qt::CheckStateRole).toInt();
        if (state == Qt::Checked)
            anyChecked = true;
        else
            anyUnchecked = true;
        if (anyChecked && anyUnchecked)
            return Qt::PartiallyChecked;
    }
    return anyUnchecked ? Qt::Unchecked : Qt::Checked;
}

void CHeaderView::OnDataChanged(const QModelIndex& miIndex)
{
    Q_UNUSED(miIndex);
    if (m_bApplyingToRows)
        return;
    QAbstractItemModel* m = model();
    if (!m || !m->headerData(0, Qt::Horizontal, Qt::CheckStateRole).isValid())
        return;
    SetHeaderState(StateFromRows(m));
}

void CHeaderView::SetHeaderState(Qt::CheckState state)
{
    QAbstractItemModel* m = model();
    if (m->headerData(0, Qt::Horizontal, Qt::CheckStateRole).toInt() == int(state))
        return;
    m->setHeaderData(0, Qt::Horizontal, int(state), Qt::CheckStateRole);
    viewport()->update();
    emit SignalCheckStateChanged(int(state));
}

void CHeaderView::mouseReleaseEvent(QMouseEvent* event)
{
    QAbstractItemModel* m = model();
    if (m_rcCheckBox.contains(event->position().toPoint()) && m && sectionsClickable()) {
        const QVariant current = m->headerData(0, Qt::Horizontal, Qt::CheckStateRole);
        if (current.isValid()) {
            // Partly checked becomes checked.
            const Qt::CheckState next = current.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
            m->setHeaderData(0, Qt::Horizontal, int(next), Qt::CheckStateRole);
            // The rows follow the header here; recounting them after every row
            // would be quadratic and show intermediate states.
            m_bApplyingToRows = true;
            for (int row = 0; row < m->rowCount(); ++row)
                m->setData(m->index(row, 0), int(next), Qt::CheckStateRole);
            m_bApplyingToRows = false;
            viewport()->update();
            emit SignalCheckStateChanged(int(next));
        }
    }
    QHeaderView::mouseReleaseEvent(event);
}

void CHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const QAbstractItemModel* m = model();
    if (logicalIndex != 0 || !m) {
        QHeaderView::paintSection(painter, rect.adjusted(4, 0, 0, 0), logicalIndex);
        return;
    }
    const QVariant state = m->headerData(0, Qt::Horizontal, Qt::CheckStateRole);
    if (state.isValid()) {
        const auto* tree = qobject_cast<const QTreeView*>(m_pView);
        const int indent = tree ? tree->indentation() : 0;
        m_rcCheckBox = QRect(rect.left() + indent + 3, (rect.height() - 16) / 2, 16, 16);

        const int value = state.toInt();
        const QString image = value == Qt::Checked ? QStringLiteral(":/images/public/CheckBox/checkbox.png")
            : value == Qt::PartiallyChecked ? QStringLiteral(":/images/public/CheckBox/PartiallyCheckBox.png")
                                            : QStringLiteral(":/images/public/CheckBox/uncheckbox.png");
        const QPixmap pixmap(image);
        painter->save();
        painter->setClipRect(m_rcCheckBox);
        if (!pixmap.isNull()) {
            painter->drawPixmap(m_rcCheckBox, pixmap);
        } else {
            // Unskinned: the style's own check box.
            QStyleOptionButton option;
            option.initFrom(this);
            option.rect = m_rcCheckBox;
            option.state |= value == Qt::Checked ? QStyle::State_On
                : value == Qt::PartiallyChecked   ? QStyle::State_NoChange
                                                  : QStyle::State_Off;
            style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, painter, this);
        }
        painter->restore();
    }
    // The label starts right of the box, or 3 pixels into the section without one.
    QRect labelRect = rect;
    labelRect.setLeft(m_rcCheckBox.isNull() ? rect.left() + 3 : m_rcCheckBox.right() + 1 + 4);
    QHeaderView::paintSection(painter, labelRect, logicalIndex);
}
