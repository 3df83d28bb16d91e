#include "DeviceListIndex.h"

void DeviceListIndex::Append(const Key &key, int position)
{
    m_positions[key].append(position);
}

void DeviceListIndex::RemoveAt(const Key &key, int position)
{
    auto it = m_positions.find(key);
    if (it != m_positions.end()) {
        it->removeOne(position);
        if (it->isEmpty())
            m_positions.erase(it);
    }
    for (QList<int> &positions : m_positions) {
        for (int &p : positions) {
            if (p > position)
                --p;
        }
    }
}

void DeviceListIndex::Clear()
{
    m_positions.clear();
}

int DeviceListIndex::First(const Key &key) const
{
    auto it = m_positions.constFind(key);
    return it == m_positions.constEnd() || it->isEmpty() ? -1 : it->first();
}
