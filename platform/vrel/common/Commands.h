// The sealed contents of Command and Result datagrams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Wire.h"

namespace vrelp {

struct NetParams {
    std::array<uint8_t, 4> ipv4{};
    std::array<uint8_t, 4> mask{};
    std::array<uint8_t, 4> gateway{};
    std::array<uint8_t, 16> ipv6{};
    std::array<uint8_t, 16> ipv6Gateway{};
    uint8_t ipv6Prefix = 0;
    uint16_t port = 0;     // 0: keep the present one
    uint16_t httpPort = 0; // 0: keep the present one
    bool dhcp = false;
};

struct CommandRequest {
    uint32_t txid = 0;
    Challenge challenge{};
    Mac mac{};
    Op op = Op::GetKey;
    std::string password;       // ModifyNet
    std::string newPassword;    // Activate, ResetWithCode, ResetWithKey (optional)
    bool hasNewPassword = false;
    std::string securityCode;   // RestoreDefault, ResetWithCode
    std::vector<uint8_t> deviceKey; // ResetWithKey
    NetParams net;              // ModifyNet

    ~CommandRequest();
};

struct CommandResult {
    uint32_t txid = 0;
    Op op = Op::GetKey;
    Status status = Status::Internal;
    std::vector<uint8_t> deviceKey; // GetKey
};

std::vector<uint8_t> encodeCommand(const CommandRequest &c);
bool decodeCommand(const uint8_t *data, size_t size, CommandRequest &c);

std::vector<uint8_t> encodeResult(const CommandResult &r);
bool decodeResult(const uint8_t *data, size_t size, CommandResult &r);

} // namespace vrelp
