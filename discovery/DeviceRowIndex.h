// Finds the table rows of a device (serial number and MAC address) without
// walking the table. Rows are tracked by their serial number cell, so the
// index survives sorting; row removals must be reported.
#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

class QStandardItem;

class DeviceRowIndex
{
public:
    using Key = QPair<QString, QString>;   // serial number, MAC address

    void Add(const Key &key, QStandardItem *serialCell);
    void Remove(QStandardItem *serialCell);
    // The cell's row now shows another device.
    void Rekey(QStandardItem *serialCell, const Key &key);
    bool Contains(QStandardItem *serialCell) const { return m_keys.contains(serialCell); }
    void Clear();

    // The cells registered under key; the caller checks their texts and rows.
    QList<QStandardItem *> Cells(const Key &key) const;

private:
    QHash<Key, QList<QStandardItem *>> m_cells;
    QHash<QStandardItem *, Key> m_keys;
};
