#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeView>

#include "widgets/CUserDataInterface.h"

class CHeaderView;
class QStandardItem;
class QStandardItemModel;

// Flat table drawn by a tree view: no indentation or expand decorations, light
// row lines, a header with an optional check box, press/click notifications
// for items that act as buttons, and a delegate that picks editors by role.
class CTableView : public QTreeView
{
    Q_OBJECT
public:
    explicit CTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    CHeaderView* HeaderView() const;

    void SetLinkCursor(bool bLink);
    void SetRowLineVisible(bool bVisible);
    bool IsRowLineVisible() const { return m_bRowLine; }

    void SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;

    int RowCount() const;
    int AppendRow();
    int InsertFirstRow();
    int InsertRowAt(int row);
    void RemoveRowAt(int row);
    void RemoveLastRow();
    void SetHeaderLabels(const QStringList& labels);
    void SetHeaderText(int column, const QString& text);
    void ClearHeaderTexts(int count);
    void SetHeaderChecked(int section, bool checked);
    void SetItemChecked(int row, int column, bool checked);
    void SetItemButton(int row, int column, const QString& text, const QIcon& icon);
    void SetItemButtonState(int row, int column, unsigned int state);
    void SetItemMaxBytes(int row, int column, int maxBytes);
    void SetItemWidget(int row, int column, QWidget* widget);
    bool SetItemData(int row, int column, const QVariant& value, int role);
    QVariant GetItemData(int row, int column, int role) const;
    QModelIndex ItemIndex(int row, int column, const QModelIndex& parent = QModelIndex()) const;

    // Record access: one record per row, value i in column i. These work only
    // while the model is an item model of records (the default model or any
    // QStandardItemModel); on other models they do nothing.
    void AppendRecords(const QList<CUserDataInterface>& records);
    CUserDataInterface GetItemRecord(int row) const;
    bool SetItemRecord(int row, const CUserDataInterface& record);
    QStandardItem* ItemFromIndex(const QModelIndex& index) const;
    void ClearRecords();

    virtual bool IsClickableIndex(const QModelIndex& index) const;

signals:
    void SignalHeaderCheckStateChanged(int state);
    void SignalClickRelease(const QModelIndex& index);
    void PressedBtn(const QModelIndex& index);
    void ClickedBtn(const QModelIndex& index);
    void currentItemChanged(const QModelIndex& current, const QModelIndex& previous);
    void SignalEditingFinished(const QModelIndex& index);
    void SignalComboBoxTextChanged(const QModelIndex& index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QStandardItemModel* RecordModel() const;
    bool EnsureColumn(int column);
    void ConnectCurrentChange();

    QPointer<QStandardItemModel> m_pDefaultModel;
    bool m_bRowLine = true;
    QPersistentModelIndex m_pressedIndex;
    bool m_bLinkCursor = false;
    QMetaObject::Connection m_currentConnection;
};
