// Positions of devices (serial number and MAC address, byte for byte) in the
// panel's device list, so that a changed event finds its entry without
// walking the list. Kept in step by whoever changes the list, under its lock.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>

class DeviceListIndex
{
public:
    using Key = QPair<QByteArray, QByteArray>;

    void Append(const Key &key, int position);
    // The entry at position left the list; later positions move up by one.
    void RemoveAt(const Key &key, int position);
    void Clear();

    // The lowest position of key, or -1.
    int First(const Key &key) const;

private:
    QHash<Key, QList<int>> m_positions;   // ascending per key
};
