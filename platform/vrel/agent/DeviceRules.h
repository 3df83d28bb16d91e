#pragma once

#include "Commands.h"
#include "DeviceState.h"

namespace vrelagent {

// What carrying out a command did to the device.
struct RuleOutcome {
    vrelp::Status status = vrelp::Status::Internal;
    bool stateChanged = false;   // must be saved before the result is sent
    bool addressChanged = false; // IPv4 address, mask or gateway differ
};

// A device's rules for every command; nowMs is a monotonic clock used for
// the lock-out after repeated wrong secrets.
RuleOutcome applyCommand(DeviceState &device, const vrelp::CommandRequest &request, vrelp::CommandResult &result,
                         long long nowMs);

// A fresh single-use key for the key file export.
std::string makeDeviceKey(const std::string &serial);

constexpr int kMaxFailedAttempts = 5;
constexpr long long kLockoutMs = 60000;

} // namespace vrelagent
