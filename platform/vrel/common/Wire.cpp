#include "Wire.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vrelp {

namespace {

void putU16(std::vector<uint8_t> &b, uint16_t v)
{
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
}

void putU32(std::vector<uint8_t> &b, uint32_t v)
{
    putU16(b, uint16_t(v >> 16));
    putU16(b, uint16_t(v));
}

uint16_t getU16(const uint8_t *p) { return uint16_t((p[0] << 8) | p[1]); }
uint32_t getU32(const uint8_t *p) { return (uint32_t(getU16(p)) << 16) | getU16(p + 2); }

} // namespace

Writer::Writer(MsgType type, uint32_t txid)
    : m_limit(kMaxDatagram)
{
    m_buf.assign(kMagic, kMagic + 4);
    m_buf.push_back(kVersion);
    m_buf.push_back(uint8_t(type));
    putU16(m_buf, 0);
    putU32(m_buf, txid);
}

Writer::Writer() = default;

void Writer::bytes(Tag tag, const uint8_t *data, size_t size)
{
    if (size > 0xFFFF || m_buf.size() + 3 + size > m_limit) {
        m_ok = false;
        return;
    }
    m_buf.push_back(tag);
    putU16(m_buf, uint16_t(size));
    if (size)
        m_buf.insert(m_buf.end(), data, data + size);
}

void Writer::u8(Tag tag, uint8_t value) { bytes(tag, &value, 1); }

void Writer::u16(Tag tag, uint16_t value)
{
    const uint8_t b[2] = {uint8_t(value >> 8), uint8_t(value)};
    bytes(tag, b, 2);
}

void Writer::u32(Tag tag, uint32_t value)
{
    const uint8_t b[4] = {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
    bytes(tag, b, 4);
}

void Writer::text(Tag tag, const std::string &value)
{
    bytes(tag, reinterpret_cast<const uint8_t *>(value.data()), value.size());
}

bool Reader::parseDatagram(const uint8_t *data, size_t size)
{
    m_attrs.clear();
    if (!data || size < kHeaderSize || size > kMaxDatagram)
        return false;
    if (std::memcmp(data, kMagic, 4) != 0 || data[4] != kVersion)
        return false;
    const uint8_t type = data[5];
    if (type < uint8_t(MsgType::Inquiry) || type > uint8_t(MsgType::Result))
        return false;
    if (getU16(data + 6) != 0)
        return false;
    m_type = MsgType(type);
    m_txid = getU32(data + 8);
    return parseAttributes(data + kHeaderSize, size - kHeaderSize);
}

bool Reader::parseAttributes(const uint8_t *data, size_t size)
{
    m_attrs.clear();
    size_t pos = 0;
    while (pos < size) {
        if (size - pos < 3)
            return false;
        const uint8_t tag = data[pos];
        const size_t len = getU16(data + pos + 1);
        pos += 3;
        if (len > size - pos)
            return false;
        m_attrs.push_back({tag, {data + pos, len}});
        pos += len;
        if (m_attrs.size() > 512)
            return false;
    }
    return true;
}

bool Reader::has(Tag tag) const
{
    Span s;
    return get(tag, s);
}

bool Reader::get(Tag tag, Span &out) const
{
    for (const Attr &a : m_attrs) {
        if (a.tag == tag) {
            out = a.value;
            return true;
        }
    }
    return false;
}

bool Reader::u8(Tag tag, uint8_t &out) const
{
    Span s;
    if (!get(tag, s) || s.size != 1)
        return false;
    out = s.data[0];
    return true;
}

bool Reader::u16(Tag tag, uint16_t &out) const
{
    Span s;
    if (!get(tag, s) || s.size != 2)
        return false;
    out = getU16(s.data);
    return true;
}

bool Reader::u32(Tag tag, uint32_t &out) const
{
    Span s;
    if (!get(tag, s) || s.size != 4)
        return false;
    out = getU32(s.data);
    return true;
}

bool Reader::text(Tag tag, size_t maxLength, std::string &out) const
{
    Span s;
    if (!get(tag, s) || s.size > maxLength)
        return false;
    if (std::memchr(s.data, 0, s.size))
        return false;
    out.assign(reinterpret_cast<const char *>(s.data), s.size);
    return true;
}

bool DeviceInfo::operator==(const DeviceInfo &o) const
{
    return mac == o.mac && serial == o.serial && ipv4 == o.ipv4 && mask == o.mask && gateway == o.gateway
        && ipv6 == o.ipv6 && ipv6Gateway == o.ipv6Gateway && ipv6Prefix == o.ipv6Prefix && port == o.port
        && httpPort == o.httpPort && deviceType == o.deviceType && channels == o.channels
        && further == o.further && description == o.description && softwareVersion == o.softwareVersion
        && dspVersion == o.dspVersion && startTime == o.startTime && capabilities == o.capabilities
        && dhcp == o.dhcp && activated == o.activated && publicKey == o.publicKey;
}

void writeDeviceInfo(Writer &w, const DeviceInfo &d)
{
    w.array(TagMac, d.mac);
    w.text(TagSerial, d.serial);
    w.array(TagIPv4, d.ipv4);
    w.array(TagMask, d.mask);
    w.array(TagGateway, d.gateway);
    w.array(TagIPv6, d.ipv6);
    w.array(TagIPv6Gateway, d.ipv6Gateway);
    w.u8(TagIPv6Prefix, d.ipv6Prefix);
    w.u16(TagPort, d.port);
    w.u16(TagHttpPort, d.httpPort);
    w.u32(TagDeviceType, uint32_t(d.deviceType));
    w.u32(TagChannels, uint32_t(d.channels));
    w.u32(TagFurther, uint32_t(d.further));
    w.text(TagDescription, d.description);
    w.text(TagSoftwareVersion, d.softwareVersion);
    w.text(TagDspVersion, d.dspVersion);
    w.text(TagStartTime, d.startTime);
    w.u8(TagCapabilities, d.capabilities);
    w.u8(TagDhcp, d.dhcp ? 1 : 0);
    w.u8(TagActivated, d.activated ? 1 : 0);
    w.array(TagPublicKey, d.publicKey);
}

bool readDeviceInfo(const Reader &r, DeviceInfo &d)
{
    uint32_t type = 0, channels = 0, further = 0;
    uint8_t dhcp = 0, activated = 0;
    if (!r.array(TagMac, d.mac) || !r.text(TagSerial, kMaxSerial, d.serial) || d.serial.empty())
        return false;
    if (!r.array(TagIPv4, d.ipv4) || !r.array(TagMask, d.mask) || !r.array(TagGateway, d.gateway))
        return false;
    if (!r.array(TagIPv6, d.ipv6) || !r.array(TagIPv6Gateway, d.ipv6Gateway) || !r.u8(TagIPv6Prefix, d.ipv6Prefix))
        return false;
    if (!r.u16(TagPort, d.port) || !r.u16(TagHttpPort, d.httpPort) || !r.u32(TagDeviceType, type)
        || !r.u32(TagChannels, channels))
        return false;
    if (!r.text(TagDescription, kMaxDescription, d.description)
        || !r.text(TagSoftwareVersion, kMaxVersion, d.softwareVersion)
        || !r.text(TagDspVersion, kMaxVersion, d.dspVersion) || !r.text(TagStartTime, kMaxVersion, d.startTime))
        return false;
    if (!r.u8(TagCapabilities, d.capabilities) || !r.u8(TagDhcp, dhcp) || !r.u8(TagActivated, activated)
        || !r.array(TagPublicKey, d.publicKey))
        return false;
    if (dhcp > 1 || activated > 1 || d.ipv6Prefix > 128)
        return false;
    if (!r.u32(TagFurther, further))
        further = 0; // optional
    d.deviceType = int32_t(type);
    d.channels = int32_t(channels);
    d.further = int32_t(further);
    d.dhcp = dhcp == 1;
    d.activated = activated == 1;
    return true;
}

bool readInfoMessage(const Reader &r, InfoMessage &msg)
{
    uint8_t reason = 0;
    if (r.type() != MsgType::Info || !readDeviceInfo(r, msg.info))
        return false;
    if (!r.u8(TagReason, reason) || reason < 1 || reason > 3)
        return false;
    if (!r.u16(TagHoldSeconds, msg.holdSeconds) || msg.holdSeconds == 0)
        return false;
    msg.reason = InfoReason(reason);
    return true;
}

bool readInquiry(const Reader &r, InquiryMessage &msg)
{
    if (r.type() != MsgType::Inquiry)
        return false;
    msg = InquiryMessage();
    if (!r.u32(TagWindowMs, msg.windowMs) || msg.windowMs > 10000)
        return false;
    if (!r.u16(TagRound, msg.round))
        return false;
    if (r.has(TagBucketCount)) {
        Span known;
        if (!r.u16(TagBucketCount, msg.bucketCount) || !r.u16(TagBucket, msg.bucket))
            return false;
        if (msg.bucketCount == 0 || msg.bucket >= msg.bucketCount)
            return false;
        if (!r.get(TagKnownMacs, known) || known.size % 6 != 0 || known.size / 6 > kMacsPerInquiry)
            return false;
        for (size_t i = 0; i < known.size; i += 6) {
            Mac m;
            std::copy(known.data + i, known.data + i + 6, m.begin());
            msg.known.push_back(m);
        }
    }
    if (r.has(TagMac)) {
        if (!r.array(TagMac, msg.targetMac))
            return false;
        msg.hasTargetMac = true;
    }
    if (r.has(TagSerial) && (!r.text(TagSerial, kMaxSerial, msg.targetSerial) || msg.targetSerial.empty()))
        return false;
    return true;
}

bool inquiryAddresses(const InquiryMessage &msg, const Mac &mac, const std::string &serial)
{
    if (msg.hasTargetMac && msg.targetMac != mac)
        return false;
    if (!msg.targetSerial.empty() && msg.targetSerial != serial)
        return false;
    if (msg.bucketCount == 0)
        return true;
    if (macBucket(mac, msg.bucketCount) != msg.bucket)
        return false;
    return std::find(msg.known.begin(), msg.known.end(), mac) == msg.known.end();
}

uint32_t macBucket(const Mac &mac, uint32_t bucketCount)
{
    // FNV-1a over the six bytes.
    uint32_t h = 2166136261u;
    for (uint8_t b : mac) {
        h ^= b;
        h *= 16777619u;
    }
    return bucketCount ? h % bucketCount : 0;
}

bool readTarget(const Reader &r, Target &t)
{
    t = Target();
    if (r.has(TagMac)) {
        if (!r.array(TagMac, t.mac))
            return false;
        t.hasMac = true;
    }
    if (r.has(TagSerial) && (!r.text(TagSerial, kMaxSerial, t.serial) || t.serial.empty()))
        return false;
    return t.hasMac || !t.serial.empty();
}

void writeTarget(Writer &w, const Target &t)
{
    if (t.hasMac)
        w.array(TagMac, t.mac);
    if (!t.serial.empty())
        w.text(TagSerial, t.serial);
}

bool targetMatches(const Target &t, const Mac &mac, const std::string &serial)
{
    if (t.hasMac && t.mac != mac)
        return false;
    if (!t.serial.empty() && t.serial != serial)
        return false;
    return t.hasMac || !t.serial.empty();
}

std::string macToText(const Mac &mac)
{
    char buf[18];
    std::snprintf(buf, sizeof buf, "%02x-%02x-%02x-%02x-%02x-%02x", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return buf;
}

bool macFromText(const std::string &text, Mac &mac)
{
    if (text.size() != 17)
        return false;
    for (size_t i = 0; i < 6; ++i) {
        if (i < 5 && text[i * 3 + 2] != '-' && text[i * 3 + 2] != ':')
            return false;
        unsigned v = 0;
        for (size_t j = 0; j < 2; ++j) {
            const char c = text[i * 3 + j];
            unsigned d;
            if (c >= '0' && c <= '9')
                d = unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                d = unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                d = unsigned(c - 'A' + 10);
            else
                return false;
            v = v * 16 + d;
        }
        mac[i] = uint8_t(v);
    }
    return true;
}

} // namespace vrelp
