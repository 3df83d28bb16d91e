#pragma once

#include <QStyledItemDelegate>

// Delegate that picks an editor from item data roles: a combo box for
// ComboListRole, a date-time editor for DateTimeRole, a date editor for
// DateRole, otherwise a line editor validated by RegExpRole / MaxBytesRole.
class CTableDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // A CTableView parent re-emits the two signals under the same names.
    explicit CTableDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

signals:
    void SignalEditingFinished(const QModelIndex& index);
    void SignalComboBoxTextChanged(const QModelIndex& index);
};
