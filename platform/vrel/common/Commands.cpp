#include "Commands.h"

#include "Seal.h"

namespace vrelp {

CommandRequest::~CommandRequest()
{
    wipe(password);
    wipe(newPassword);
    wipe(securityCode);
    wipe(deviceKey.data(), deviceKey.size());
}

std::vector<uint8_t> encodeCommand(const CommandRequest &c)
{
    Writer w;
    w.u32(TagTxid, c.txid);
    w.array(TagChallenge, c.challenge);
    w.array(TagMac, c.mac);
    w.u8(TagOp, uint8_t(c.op));
    switch (c.op) {
    case Op::ModifyNet:
        w.text(TagPassword, c.password);
        w.array(TagIPv4, c.net.ipv4);
        w.array(TagMask, c.net.mask);
        w.array(TagGateway, c.net.gateway);
        w.array(TagIPv6, c.net.ipv6);
        w.array(TagIPv6Gateway, c.net.ipv6Gateway);
        w.u8(TagIPv6Prefix, c.net.ipv6Prefix);
        w.u16(TagPort, c.net.port);
        w.u16(TagHttpPort, c.net.httpPort);
        w.u8(TagDhcp, c.net.dhcp ? 1 : 0);
        break;
    case Op::Activate:
        w.text(TagNewPassword, c.newPassword);
        break;
    case Op::RestoreDefault:
        w.text(TagSecurityCode, c.securityCode);
        break;
    case Op::ResetWithCode:
        w.text(TagSecurityCode, c.securityCode);
        w.text(TagNewPassword, c.newPassword);
        break;
    case Op::ResetWithKey:
        w.bytes(TagDeviceKey, c.deviceKey.data(), c.deviceKey.size());
        if (c.hasNewPassword)
            w.text(TagNewPassword, c.newPassword);
        break;
    case Op::GetKey:
        break;
    }
    if (!w.ok())
        return {};
    return w.data();
}

bool decodeCommand(const uint8_t *data, size_t size, CommandRequest &c)
{
    Reader r;
    uint8_t op = 0;
    if (!r.parseAttributes(data, size))
        return false;
    if (!r.u32(TagTxid, c.txid) || !r.array(TagChallenge, c.challenge) || !r.array(TagMac, c.mac)
        || !r.u8(TagOp, op) || op < 1 || op > 6)
        return false;
    c.op = Op(op);
    switch (c.op) {
    case Op::ModifyNet: {
        uint8_t dhcp = 0;
        if (!r.text(TagPassword, kMaxSecret, c.password) || !r.array(TagIPv4, c.net.ipv4)
            || !r.array(TagMask, c.net.mask) || !r.array(TagGateway, c.net.gateway)
            || !r.array(TagIPv6, c.net.ipv6) || !r.array(TagIPv6Gateway, c.net.ipv6Gateway)
            || !r.u8(TagIPv6Prefix, c.net.ipv6Prefix) || !r.u16(TagPort, c.net.port)
            || !r.u16(TagHttpPort, c.net.httpPort) || !r.u8(TagDhcp, dhcp) || dhcp > 1)
            return false;
        c.net.dhcp = dhcp == 1;
        return true;
    }
    case Op::Activate:
        c.hasNewPassword = true;
        return r.text(TagNewPassword, kMaxSecret, c.newPassword);
    case Op::RestoreDefault:
        return r.text(TagSecurityCode, kMaxSecret, c.securityCode);
    case Op::ResetWithCode:
        c.hasNewPassword = true;
        return r.text(TagSecurityCode, kMaxSecret, c.securityCode) && r.text(TagNewPassword, kMaxSecret, c.newPassword);
    case Op::ResetWithKey: {
        Span key;
        if (!r.get(TagDeviceKey, key) || key.size == 0 || key.size > kMaxDeviceKey)
            return false;
        c.deviceKey.assign(key.data, key.data + key.size);
        if (r.has(TagNewPassword)) {
            c.hasNewPassword = true;
            return r.text(TagNewPassword, kMaxSecret, c.newPassword);
        }
        return true;
    }
    case Op::GetKey:
        return true;
    }
    return false;
}

std::vector<uint8_t> encodeResult(const CommandResult &res)
{
    Writer w;
    w.u32(TagTxid, res.txid);
    w.u8(TagOp, uint8_t(res.op));
    w.u8(TagStatus, uint8_t(res.status));
    if (!res.deviceKey.empty())
        w.bytes(TagDeviceKey, res.deviceKey.data(), res.deviceKey.size());
    return w.data();
}

bool decodeResult(const uint8_t *data, size_t size, CommandResult &res)
{
    Reader r;
    uint8_t op = 0, status = 0;
    if (!r.parseAttributes(data, size))
        return false;
    if (!r.u32(TagTxid, res.txid) || !r.u8(TagOp, op) || op < 1 || op > 6 || !r.u8(TagStatus, status)
        || status > uint8_t(Status::StaleChallenge))
        return false;
    res.op = Op(op);
    res.status = Status(status);
    res.deviceKey.clear();
    if (r.has(TagDeviceKey)) {
        Span key;
        r.get(TagDeviceKey, key);
        if (key.size > kMaxDeviceKey)
            return false;
        res.deviceKey.assign(key.data, key.data + key.size);
    }
    return true;
}

} // namespace vrelp
