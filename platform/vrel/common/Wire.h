// Datagram framing of the discovery protocol: header, tag-length-value
// attributes, and the attribute sets of each message (see docs/protocol.md).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vrelp {

constexpr uint8_t kMagic[4] = {'V', 'R', 'L', 'P'};
constexpr uint8_t kVersion = 1;
constexpr size_t kHeaderSize = 12;
// Stays below a 1500-byte Ethernet MTU with IPv4 and UDP headers, so no
// datagram is ever fragmented.
constexpr size_t kMaxDatagram = 1400;

enum class MsgType : uint8_t {
    Inquiry = 1,
    Info = 2,
    Bye = 3,
    ChallengeRequest = 4,
    Challenge = 5,
    Command = 6,
    Result = 7
};

enum Tag : uint8_t {
    TagMac = 1,
    TagSerial = 2,
    TagIPv4 = 3,
    TagMask = 4,
    TagGateway = 5,
    TagIPv6 = 6,
    TagIPv6Gateway = 7,
    TagIPv6Prefix = 8,
    TagPort = 9,
    TagHttpPort = 10,
    TagDeviceType = 11,
    TagDescription = 12,
    TagSoftwareVersion = 13,
    TagDspVersion = 14,
    TagStartTime = 15,
    TagChannels = 16,
    TagCapabilities = 17,
    TagDhcp = 18,
    TagActivated = 19,
    TagPublicKey = 20,
    TagHoldSeconds = 21,
    TagReason = 22,
    TagFurther = 23,

    TagWindowMs = 40,
    TagRound = 41,
    TagBucketCount = 42,
    TagBucket = 43,
    TagKnownMacs = 44,

    TagChallenge = 60,
    TagClientKey = 61,
    TagSealed = 62,
    TagOp = 63,
    TagStatus = 64,
    TagPassword = 65,
    TagNewPassword = 66,
    TagSecurityCode = 67,
    TagDeviceKey = 68,
    TagTxid = 69
};

// Why a device sends an Info datagram.
enum class InfoReason : uint8_t { Answer = 1, Announce = 2, Heartbeat = 3 };

// Operations carried inside a sealed Command.
enum class Op : uint8_t {
    ModifyNet = 1,
    Activate = 2,
    RestoreDefault = 3,
    ResetWithCode = 4,
    ResetWithKey = 5,
    GetKey = 6
};

// Outcome of a command, carried inside a sealed Result.
enum class Status : uint8_t {
    Ok = 0,
    BadArgument = 1,
    WrongPassword = 2,
    Refused = 3,
    WrongCode = 4,
    BadKey = 5,
    Internal = 6,
    StaleChallenge = 7
};

using Mac = std::array<uint8_t, 6>;
using Key32 = std::array<uint8_t, 32>;
using Challenge = std::array<uint8_t, 16>;

// Widths of the texts, terminating zero excluded.
constexpr size_t kMaxSerial = 47;
constexpr size_t kMaxDescription = 23;
constexpr size_t kMaxVersion = 47;
constexpr size_t kMaxSecret = 255;
constexpr size_t kMaxDeviceKey = 256;
constexpr size_t kMacsPerInquiry = 200;

class Writer {
public:
    Writer(MsgType type, uint32_t txid);
    // A bare attribute list without header (the plaintext of a sealed box).
    Writer();

    void u8(Tag tag, uint8_t value);
    void u16(Tag tag, uint16_t value);
    void u32(Tag tag, uint32_t value);
    void bytes(Tag tag, const uint8_t *data, size_t size);
    void text(Tag tag, const std::string &value);
    template <size_t N> void array(Tag tag, const std::array<uint8_t, N> &a) { bytes(tag, a.data(), N); }

    // False once an attribute did not fit kMaxDatagram or 65535 bytes.
    bool ok() const { return m_ok; }
    const std::vector<uint8_t> &data() const { return m_buf; }

private:
    std::vector<uint8_t> m_buf;
    size_t m_limit = 0xFFFF;
    bool m_ok = true;
};

struct Span {
    const uint8_t *data = nullptr;
    size_t size = 0;
};

// Validates framing: every attribute lies inside the datagram, nothing is
// left over. Holds pointers into the caller's buffer.
class Reader {
public:
    // Full datagram: header + attributes.
    bool parseDatagram(const uint8_t *data, size_t size);
    // Attribute list only.
    bool parseAttributes(const uint8_t *data, size_t size);

    MsgType type() const { return m_type; }
    uint32_t txid() const { return m_txid; }

    bool has(Tag tag) const;
    // The first attribute with this tag.
    bool get(Tag tag, Span &out) const;
    bool u8(Tag tag, uint8_t &out) const;
    bool u16(Tag tag, uint16_t &out) const;
    bool u32(Tag tag, uint32_t &out) const;
    // A text of at most maxLength bytes without zero bytes.
    bool text(Tag tag, size_t maxLength, std::string &out) const;
    template <size_t N> bool array(Tag tag, std::array<uint8_t, N> &out) const
    {
        Span s;
        if (!get(tag, s) || s.size != N)
            return false;
        std::copy(s.data, s.data + N, out.begin());
        return true;
    }

private:
    struct Attr {
        uint8_t tag;
        Span value;
    };
    std::vector<Attr> m_attrs;
    MsgType m_type = MsgType::Inquiry;
    uint32_t m_txid = 0;
};

// Everything a device says about itself.
struct DeviceInfo {
    Mac mac{};
    std::string serial;
    std::array<uint8_t, 4> ipv4{};
    std::array<uint8_t, 4> mask{};
    std::array<uint8_t, 4> gateway{};
    std::array<uint8_t, 16> ipv6{};
    std::array<uint8_t, 16> ipv6Gateway{};
    uint8_t ipv6Prefix = 0;
    uint16_t port = 0;
    uint16_t httpPort = 0;
    int32_t deviceType = 0;
    int32_t channels = 0;
    int32_t further = 0;
    std::string description;
    std::string softwareVersion;
    std::string dspVersion;
    std::string startTime;
    uint8_t capabilities = 0;
    bool dhcp = false;
    bool activated = false;
    Key32 publicKey{};

    // Same settings as other (what a "changed" event compares).
    bool operator==(const DeviceInfo &other) const;
    bool operator!=(const DeviceInfo &other) const { return !(*this == other); }
};

void writeDeviceInfo(Writer &w, const DeviceInfo &info);
bool readDeviceInfo(const Reader &r, DeviceInfo &info);

// An Info datagram with its reason and the time after which silence means gone.
struct InfoMessage {
    DeviceInfo info;
    InfoReason reason = InfoReason::Answer;
    uint16_t holdSeconds = 0;
};
bool readInfoMessage(const Reader &r, InfoMessage &msg);

struct InquiryMessage {
    uint32_t windowMs = 0;
    uint16_t round = 0;
    uint16_t bucketCount = 0; // 0: every device answers
    uint16_t bucket = 0;
    std::vector<Mac> known;   // devices of that bucket already heard
    bool hasTargetMac = false;
    Mac targetMac{};
    std::string targetSerial; // empty: no serial target
};
bool readInquiry(const Reader &r, InquiryMessage &msg);
// Whether a device with this MAC and serial answers the inquiry.
bool inquiryAddresses(const InquiryMessage &msg, const Mac &mac, const std::string &serial);

// The bucket a device belongs to when known lists are split.
uint32_t macBucket(const Mac &mac, uint32_t bucketCount);

// Names a device in a request: by MAC when given, else by serial number.
struct Target {
    bool hasMac = false;
    Mac mac{};
    std::string serial;
};
bool readTarget(const Reader &r, Target &t);
void writeTarget(Writer &w, const Target &t);
bool targetMatches(const Target &t, const Mac &mac, const std::string &serial);

std::string macToText(const Mac &mac);
// Accepts "aa-bb-cc-dd-ee-ff" and "aa:bb:cc:dd:ee:ff", any case.
bool macFromText(const std::string &text, Mac &mac);

} // namespace vrelp
