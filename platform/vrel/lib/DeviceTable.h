#pragma once

#include <chrono>
#include <map>
#include <vector>

#include "Wire.h"

namespace vrelp {

using Clock = std::chrono::steady_clock;

// The devices the library has reported as present, keyed by MAC address.
// Not synchronised: the owner holds its lock.
class DeviceTable {
public:
    enum class Change { None, Found, Changed, Rejected };

    struct Entry {
        DeviceInfo info;
        Clock::time_point lastSeen;
        uint16_t holdSeconds = 0;
        unsigned ifindex = 0;
    };

    // A known MAC that turns up with another public key is Rejected and does
    // not count as heard: the key stays pinned until the entry expires.
    Change update(const DeviceInfo &info, uint16_t holdSeconds, unsigned ifindex, Clock::time_point now);
    bool remove(const Mac &mac, DeviceInfo *removed = nullptr);
    // Removes and returns the devices silent for longer than their hold time.
    std::vector<DeviceInfo> expire(Clock::time_point now);
    const Entry *find(const Target &target) const;
    // More devices than any link holds: beyond it, unknown MACs are Rejected
    // so that a flood of forged answers cannot exhaust memory.
    static constexpr size_t kMaxDevices = 100000;
    size_t size() const { return m_entries.size(); }

private:
    std::map<Mac, Entry> m_entries;
};

} // namespace vrelp
