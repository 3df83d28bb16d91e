#pragma once

#include <string>
#include <vector>

#include "Wire.h"

namespace vrelagent {

// One played device: what it tells the network and what it keeps to itself.
struct DeviceState {
    vrelp::DeviceInfo info;       // publicKey is derived from identityKey
    vrelp::Key32 identityKey{};   // the device's secret key
    std::string password;         // administrator password; empty until activated
    std::string defaultPassword;  // what a restore brings back
    std::string securityCode;
    std::string deviceKey;        // content of the exported key file, single use
    int failedAttempts = 0;       // consecutive wrong secrets (not saved)
    long long lockedUntilMs = 0;  // refuse secrets until then (not saved)
};

} // namespace vrelagent
