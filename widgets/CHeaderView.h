#pragma once

#include <QHeaderView>
#include <QMetaObject>
#include <QPointer>

// Horizontal header whose first section can carry a three-state check box that
// follows the check boxes of column 0 of the rows. The box is shown only when
// the model gives section 0 a header check state.
class CHeaderView : public QHeaderView
{
    Q_OBJECT
public:
    CHeaderView(Qt::Orientation orientation, QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Where the box was last drawn, in header coordinates; null before.
    QRect CheckBoxRect() const { return m_rcCheckBox; }

    // Header check state of section 0 from the rows: partly checked when checked
    // and unchecked rows both occur, unchecked when only unchecked ones occur,
    // checked otherwise (also without rows).
    static Qt::CheckState StateFromRows(const QAbstractItemModel* model);

public slots:
    void OnDataChanged(const QModelIndex& miIndex);

signals:
    // The header box changed its state (by a click or by following the rows).
    void SignalCheckStateChanged(int state);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void SetHeaderState(Qt::CheckState state);

    mutable QRect m_rcCheckBox;
    QWidget* m_pView;
    bool m_bApplyingToRows = false;
    QMetaObject::Connection m_dataChangedConnection;
};
