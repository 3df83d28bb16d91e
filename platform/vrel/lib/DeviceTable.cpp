#include "DeviceTable.h"

namespace vrelp {

DeviceTable::Change DeviceTable::update(const DeviceInfo &info, uint16_t holdSeconds, unsigned ifindex,
                                        Clock::time_point now)
{
    auto it = m_entries.find(info.mac);
    if (it == m_entries.end()) {
        if (m_entries.size() >= kMaxDevices)
            return Change::Rejected;
        m_entries.emplace(info.mac, Entry{info, now, holdSeconds, ifindex});
        return Change::Found;
    }
    Entry &e = it->second;
    if (e.info.publicKey != info.publicKey)
        return Change::Rejected;
    e.lastSeen = now;
    e.holdSeconds = holdSeconds;
    e.ifindex = ifindex;
    if (e.info == info)
        return Change::None;
    e.info = info;
    return Change::Changed;
}

bool DeviceTable::remove(const Mac &mac, DeviceInfo *removed)
{
    auto it = m_entries.find(mac);
    if (it == m_entries.end())
        return false;
    if (removed)
        *removed = it->second.info;
    m_entries.erase(it);
    return true;
}

std::vector<DeviceInfo> DeviceTable::expire(Clock::time_point now)
{
    std::vector<DeviceInfo> gone;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (now - it->second.lastSeen > std::chrono::seconds(it->second.holdSeconds)) {
            gone.push_back(it->second.info);
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
    return gone;
}

const DeviceTable::Entry *DeviceTable::find(const Target &target) const
{
    if (target.hasMac) {
        auto it = m_entries.find(target.mac);
        if (it == m_entries.end() || !targetMatches(target, it->second.info.mac, it->second.info.serial))
            return nullptr;
        return &it->second;
    }
    for (const auto &kv : m_entries) {
        if (kv.second.info.serial == target.serial)
            return &kv.second;
    }
    return nullptr;
}

} // namespace vrelp
