#include "DeviceRules.h"

#include <sodium.h>

#include "Seal.h"
#include "Vrel.h"

namespace vrelagent {

using vrelp::Op;
using vrelp::Status;

namespace {

bool contiguousMask(const std::array<uint8_t, 4> &m)
{
    const uint32_t v = (uint32_t(m[0]) << 24) | (uint32_t(m[1]) << 16) | (uint32_t(m[2]) << 8) | m[3];
    const uint32_t inverted = ~v;
    return v != 0 && (inverted & (inverted + 1)) == 0;
}

bool usableHostAddress(const std::array<uint8_t, 4> &a)
{
    if (a[0] == 0 || a[0] == 127 || a[0] >= 224)
        return false;
    return true;
}

// Checks a secret and counts failures; true when it matches.
bool checkSecret(DeviceState &d, const std::string &given, const std::string &expected)
{
    if (!expected.empty() && vrelp::secretsEqual(given, expected)) {
        d.failedAttempts = 0;
        return true;
    }
    ++d.failedAttempts;
    return false;
}

bool keyFileReset(const DeviceState &d)
{
    return d.info.capabilities & (VREL_CAP_KEYFILE_RESET | VREL_CAP_KEYFILE_NEW_PASSWORD);
}

} // namespace

std::string makeDeviceKey(const std::string &serial)
{
    uint8_t raw[32];
    vrelp::randomBytes(raw, sizeof raw);
    char b64[sodium_base64_ENCODED_LEN(32, sodium_base64_VARIANT_ORIGINAL)];
    sodium_bin2base64(b64, sizeof b64, raw, sizeof raw, sodium_base64_VARIANT_ORIGINAL);
    vrelp::wipe(raw, sizeof raw);
    std::string key = "<DeviceKey serial=\"" + serial + "\">" + b64 + "</DeviceKey>";
    vrelp::wipe(b64, sizeof b64);
    return key;
}

RuleOutcome applyCommand(DeviceState &d, const vrelp::CommandRequest &req, vrelp::CommandResult &result,
                         long long nowMs)
{
    RuleOutcome out;
    result.op = req.op;
    result.deviceKey.clear();
    const bool usesSecret = req.op != Op::GetKey;
    if (usesSecret && nowMs < d.lockedUntilMs) {
        out.status = Status::Refused; // too many wrong secrets lately
        return out;
    }
    auto wrong = [&](Status s) {
        if (d.failedAttempts >= kMaxFailedAttempts) {
            d.lockedUntilMs = nowMs + kLockoutMs;
            d.failedAttempts = 0;
        }
        out.status = s;
        return out;
    };

    switch (req.op) {
    case Op::ModifyNet: {
        if (!d.info.activated) {
            out.status = Status::Refused;
            return out;
        }
        if (!checkSecret(d, req.password, d.password))
            return wrong(Status::WrongPassword);
        const vrelp::NetParams &n = req.net;
        if (!usableHostAddress(n.ipv4) || !contiguousMask(n.mask) || n.ipv6Prefix > 128) {
            out.status = Status::BadArgument;
            return out;
        }
        if (n.dhcp && !(d.info.capabilities & VREL_CAP_DHCP)) {
            out.status = Status::Refused;
            return out;
        }
        vrelp::DeviceInfo next = d.info;
        next.ipv4 = n.ipv4;
        next.mask = n.mask;
        next.gateway = n.gateway;
        next.dhcp = n.dhcp;
        if (n.port)
            next.port = n.port;
        if (n.httpPort)
            next.httpPort = n.httpPort;
        // IPv6 settings only on devices that let them change; "::" keeps them.
        const std::array<uint8_t, 16> none{};
        if ((d.info.capabilities & VREL_CAP_IPV6_CHANGEABLE) && n.ipv6 != none) {
            next.ipv6 = n.ipv6;
            next.ipv6Gateway = n.ipv6Gateway;
            next.ipv6Prefix = n.ipv6Prefix;
        }
        out.addressChanged = next.ipv4 != d.info.ipv4 || next.mask != d.info.mask || next.gateway != d.info.gateway;
        out.stateChanged = next != d.info;
        d.info = next;
        out.status = Status::Ok;
        return out;
    }
    case Op::Activate:
        if (d.info.activated) {
            out.status = Status::Refused;
            return out;
        }
        if (req.newPassword.empty()) {
            out.status = Status::BadArgument;
            return out;
        }
        d.password = req.newPassword;
        d.info.activated = true;
        out.stateChanged = true;
        out.status = Status::Ok;
        return out;
    case Op::RestoreDefault:
        if (!checkSecret(d, req.securityCode, d.securityCode))
            return wrong(Status::WrongCode);
        d.password = d.defaultPassword;
        out.stateChanged = true;
        out.status = Status::Ok;
        return out;
    case Op::ResetWithCode:
        if (!checkSecret(d, req.securityCode, d.securityCode))
            return wrong(Status::WrongCode);
        if (req.newPassword.empty()) {
            out.status = Status::BadArgument;
            return out;
        }
        d.password = req.newPassword;
        out.stateChanged = true;
        out.status = Status::Ok;
        return out;
    case Op::ResetWithKey: {
        if (!keyFileReset(d) || (req.hasNewPassword && !(d.info.capabilities & VREL_CAP_KEYFILE_NEW_PASSWORD))) {
            out.status = Status::Refused;
            return out;
        }
        const bool match = !d.deviceKey.empty()
            && vrelp::secretsEqual(req.deviceKey.data(), req.deviceKey.size(),
                                   reinterpret_cast<const uint8_t *>(d.deviceKey.data()), d.deviceKey.size());
        if (!match) {
            ++d.failedAttempts;
            return wrong(Status::BadKey);
        }
        d.failedAttempts = 0;
        if (req.hasNewPassword && req.newPassword.empty()) {
            out.status = Status::BadArgument;
            return out;
        }
        d.password = req.hasNewPassword ? req.newPassword : d.defaultPassword;
        d.deviceKey = makeDeviceKey(d.info.serial); // a key file works once
        out.stateChanged = true;
        out.status = Status::Ok;
        return out;
    }
    case Op::GetKey:
        if (!keyFileReset(d)) {
            out.status = Status::Refused;
            return out;
        }
        if (d.deviceKey.empty()) {
            d.deviceKey = makeDeviceKey(d.info.serial);
            out.stateChanged = true;
        }
        result.deviceKey.assign(d.deviceKey.begin(), d.deviceKey.end());
        out.status = Status::Ok;
        return out;
    }
    return out;
}

} // namespace vrelagent
