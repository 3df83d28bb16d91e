#include "DeviceRowIndex.h"

void DeviceRowIndex::Add(const Key &key, QStandardItem *serialCell)
{
    m_cells[key].append(serialCell);
    m_keys.insert(serialCell, key);
}

void DeviceRowIndex::Remove(QStandardItem *serialCell)
{
    auto key = m_keys.find(serialCell);
    if (key == m_keys.end())
        return;
    auto it = m_cells.find(*key);
    if (it != m_cells.end()) {
        it->removeAll(serialCell);
        if (it->isEmpty())
            m_cells.erase(it);
    }
    m_keys.erase(key);
}

void DeviceRowIndex::Rekey(QStandardItem *serialCell, const Key &key)
{
    auto old = m_keys.constFind(serialCell);
    if (old != m_keys.constEnd() && *old == key)
        return;
    Remove(serialCell);
    Add(key, serialCell);
}

void DeviceRowIndex::Clear()
{
    m_cells.clear();
    m_keys.clear();
}

QList<QStandardItem *> DeviceRowIndex::Cells(const Key &key) const
{
    return m_cells.value(key);
}
