#include "FleetFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "Net.h"
#include "Seal.h"
#include "DeviceRules.h"
#include "Vrel.h"

namespace vrelagent {

using vrelp::DeviceInfo;

namespace {

QString q(const std::string &s) { return QString::fromStdString(s); }

QJsonObject toJson(const DeviceState &d)
{
    const DeviceInfo &i = d.info;
    QJsonObject o;
    o[QStringLiteral("serial")] = q(i.serial);
    o[QStringLiteral("mac")] = q(vrelp::macToText(i.mac));
    o[QStringLiteral("deviceType")] = i.deviceType;
    o[QStringLiteral("description")] = q(i.description);
    o[QStringLiteral("softwareVersion")] = q(i.softwareVersion);
    o[QStringLiteral("dspVersion")] = q(i.dspVersion);
    o[QStringLiteral("startTime")] = q(i.startTime);
    o[QStringLiteral("channels")] = i.channels;
    o[QStringLiteral("ipv4")] = q(vrelp::ipv4ToText(i.ipv4.data()));
    o[QStringLiteral("mask")] = q(vrelp::ipv4ToText(i.mask.data()));
    o[QStringLiteral("gateway")] = q(vrelp::ipv4ToText(i.gateway.data()));
    o[QStringLiteral("ipv6")] = q(vrelp::ipv6ToText(i.ipv6.data()));
    o[QStringLiteral("ipv6Gateway")] = q(vrelp::ipv6ToText(i.ipv6Gateway.data()));
    o[QStringLiteral("ipv6Prefix")] = i.ipv6Prefix;
    o[QStringLiteral("port")] = i.port;
    o[QStringLiteral("httpPort")] = i.httpPort;
    o[QStringLiteral("capabilities")] = i.capabilities;
    o[QStringLiteral("dhcp")] = i.dhcp;
    o[QStringLiteral("activated")] = i.activated;
    o[QStringLiteral("password")] = q(d.password);
    o[QStringLiteral("defaultPassword")] = q(d.defaultPassword);
    o[QStringLiteral("securityCode")] = q(d.securityCode);
    o[QStringLiteral("deviceKey")] = q(d.deviceKey);
    o[QStringLiteral("identityKey")] = QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(d.identityKey.data()), 32).toBase64());
    return o;
}

bool text(const QJsonObject &o, const char *key, size_t max, std::string &out, std::string &error, bool required)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) {
        if (required)
            error = std::string("missing \"") + key + "\"";
        return !required;
    }
    if (!v.isString()) {
        error = std::string("\"") + key + "\" is not a text";
        return false;
    }
    const QByteArray bytes = v.toString().toLatin1();
    if (size_t(bytes.size()) > max || bytes.contains('\0')) {
        error = std::string("\"") + key + "\" is too long";
        return false;
    }
    out.assign(bytes.constData(), size_t(bytes.size()));
    return true;
}

bool number(const QJsonObject &o, const char *key, long long min, long long max, long long &out, std::string &error)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isDouble() || v.toDouble() < double(min) || v.toDouble() > double(max)) {
        error = std::string("\"") + key + "\" is out of range";
        return false;
    }
    out = (long long)v.toDouble();
    return true;
}

bool address4(const QJsonObject &o, const char *key, std::array<uint8_t, 4> &out, std::string &error)
{
    std::string t;
    if (!text(o, key, 15, t, error, false))
        return false;
    if (t.empty())
        return true;
    if (!vrelp::ipv4FromText(t, out.data())) {
        error = std::string("\"") + key + "\" is not an IPv4 address";
        return false;
    }
    return true;
}

bool address6(const QJsonObject &o, const char *key, std::array<uint8_t, 16> &out, std::string &error)
{
    std::string t;
    if (!text(o, key, 45, t, error, false))
        return false;
    if (t.empty())
        return true;
    if (!vrelp::ipv6FromText(t, out.data())) {
        error = std::string("\"") + key + "\" is not an IPv6 address";
        return false;
    }
    return true;
}

bool fromJson(const QJsonObject &o, DeviceState &d, bool &generatedKey, std::string &error)
{
    DeviceInfo &i = d.info;
    std::string mac;
    if (!text(o, "serial", vrelp::kMaxSerial, i.serial, error, true) || i.serial.empty())
        return error.empty() ? (error = "empty \"serial\"", false) : false;
    if (!text(o, "mac", 17, mac, error, true))
        return false;
    if (!vrelp::macFromText(mac, i.mac)) {
        error = "\"mac\" is not a MAC address";
        return false;
    }
    long long type = 0, channels = 1, prefix = 0, port = 8000, http = 80, caps = 0;
    if (!number(o, "deviceType", INT32_MIN, INT32_MAX, type, error) || !number(o, "channels", 0, INT32_MAX, channels, error)
        || !number(o, "ipv6Prefix", 0, 128, prefix, error) || !number(o, "port", 1, 65535, port, error)
        || !number(o, "httpPort", 1, 65535, http, error) || !number(o, "capabilities", 0, 255, caps, error))
        return false;
    i.deviceType = int32_t(type);
    i.channels = int32_t(channels);
    i.ipv6Prefix = uint8_t(prefix);
    i.port = uint16_t(port);
    i.httpPort = uint16_t(http);
    i.capabilities = uint8_t(caps);
    if (!text(o, "description", vrelp::kMaxDescription, i.description, error, false)
        || !text(o, "softwareVersion", vrelp::kMaxVersion, i.softwareVersion, error, false)
        || !text(o, "dspVersion", vrelp::kMaxVersion, i.dspVersion, error, false)
        || !text(o, "startTime", vrelp::kMaxVersion, i.startTime, error, false))
        return false;
    if (!address4(o, "ipv4", i.ipv4, error) || !address4(o, "mask", i.mask, error)
        || !address4(o, "gateway", i.gateway, error) || !address6(o, "ipv6", i.ipv6, error)
        || !address6(o, "ipv6Gateway", i.ipv6Gateway, error))
        return false;
    i.dhcp = o.value(QLatin1String("dhcp")).toBool(false);
    i.activated = o.value(QLatin1String("activated")).toBool(false);
    if (!text(o, "password", vrelp::kMaxSecret, d.password, error, false)
        || !text(o, "defaultPassword", vrelp::kMaxSecret, d.defaultPassword, error, false)
        || !text(o, "securityCode", vrelp::kMaxSecret, d.securityCode, error, false)
        || !text(o, "deviceKey", vrelp::kMaxDeviceKey, d.deviceKey, error, false))
        return false;
    const QByteArray key = QByteArray::fromBase64(o.value(QLatin1String("identityKey")).toString().toLatin1());
    if (key.size() == 32) {
        std::memcpy(d.identityKey.data(), key.constData(), 32);
    } else {
        d.identityKey = vrelp::makeKeyPair().secretKey;
        generatedKey = true;
    }
    i.publicKey = vrelp::publicFromSecret(d.identityKey);
    return true;
}

bool writeAll(int fd, const char *data, size_t size)
{
    while (size) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace

bool FleetFile::load(const std::string &path, std::vector<DeviceState> &devices, bool &needsSave, std::string &error)
{
    needsSave = false;
    devices.clear();
    QFile f(q(path));
    if (!f.open(QIODevice::ReadOnly)) {
        error = "cannot open " + path;
        return false;
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError || !doc.isObject()) {
        error = path + ": not a state file (" + pe.errorString().toStdString() + ")";
        return false;
    }
    const QJsonArray list = doc.object().value(QLatin1String("devices")).toArray();
    if (list.isEmpty()) {
        error = path + ": no \"devices\"";
        return false;
    }
    for (qsizetype n = 0; n < list.size(); ++n) {
        DeviceState d;
        std::string e;
        if (!list.at(n).isObject() || !fromJson(list.at(n).toObject(), d, needsSave, e)) {
            error = path + ": device " + std::to_string(n + 1) + ": " + (e.empty() ? "not an object" : e);
            return false;
        }
        for (const DeviceState &other : devices) {
            if (other.info.mac == d.info.mac || other.info.serial == d.info.serial) {
                error = path + ": device " + std::to_string(n + 1) + " repeats a MAC or serial number";
                return false;
            }
        }
        devices.push_back(d);
    }
    return true;
}

bool FleetFile::save(const std::string &path, const std::vector<DeviceState> &devices, std::string &error)
{
    QJsonArray list;
    for (const DeviceState &d : devices)
        list.append(toJson(d));
    QJsonObject root;
    root[QStringLiteral("devices")] = list;
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);

    const std::string tmp = path + ".tmp";
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "cannot write " + tmp + ": " + std::strerror(errno);
        return false;
    }
    const bool written = writeAll(fd, bytes.constData(), size_t(bytes.size())) && ::fsync(fd) == 0;
    ::close(fd);
    if (!written || ::rename(tmp.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        ::unlink(tmp.c_str());
        return false;
    }
    // The rename itself must reach the disk before the change is confirmed.
    const size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

std::vector<DeviceState> FleetFile::generate(const GenerateOptions &opt)
{
    std::vector<DeviceState> out;
    uint8_t base[4] = {192, 168, 1, 64};
    vrelp::ipv4FromText(opt.baseAddress, base);
    const uint32_t first = (uint32_t(base[0]) << 24) | (uint32_t(base[1]) << 16) | (uint32_t(base[2]) << 8) | base[3];
    const uint32_t mask = opt.prefixLength <= 0 ? 0 : (0xFFFFFFFFu << (32 - opt.prefixLength));
    static const char *const kinds[] = {"IPC-Dome-4MP", "IPC-Bullet-4MP", "NVR-8CH", "PTZ-25X"};
    for (int n = 0; n < opt.count; ++n) {
        DeviceState d;
        DeviceInfo &i = d.info;
        char serial[48];
        std::snprintf(serial, sizeof serial, "%s%08d", opt.serialPrefix.c_str(), n + 1);
        i.serial = serial;
        // Locally administered addresses, never a vendor's.
        i.mac = {0x02, 0x5a, uint8_t(opt.macSeed), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
        const uint32_t a = first + uint32_t(n);
        i.ipv4 = {uint8_t(a >> 24), uint8_t(a >> 16), uint8_t(a >> 8), uint8_t(a)};
        i.mask = {uint8_t(mask >> 24), uint8_t(mask >> 16), uint8_t(mask >> 8), uint8_t(mask)};
        const uint32_t gw = (first & mask) + 1;
        i.gateway = {uint8_t(gw >> 24), uint8_t(gw >> 16), uint8_t(gw >> 8), uint8_t(gw)};
        i.deviceType = 0x2000 + n % 4;
        i.description = kinds[n % 4];
        i.softwareVersion = "4.2.1 (2026-10-02)";
        i.dspVersion = "2.0.7";
        i.startTime = "2026-12-11 08:00:00";
        i.channels = n % 4 == 2 ? 8 : 1;
        i.port = 8000;
        i.httpPort = 80;
        i.capabilities = VREL_CAP_IPV6 | VREL_CAP_IPV6_CHANGEABLE | VREL_CAP_DHCP
            | (n % 2 ? VREL_CAP_KEYFILE_NEW_PASSWORD : VREL_CAP_KEYFILE_RESET);
        vrelp::ipv6FromText("fd00::" + std::to_string(n % 0xFFFF + 1), i.ipv6.data());
        vrelp::ipv6FromText("fd00::ffff", i.ipv6Gateway.data());
        i.ipv6Prefix = 64;
        i.dhcp = false;
        i.activated = opt.activation == "all" || (opt.activation == "mixed" && n % 3 != 2);
        d.password = i.activated ? opt.password : std::string();
        d.defaultPassword = "Default12345";
        d.securityCode = "SC" + std::string(serial);
        d.deviceKey = makeDeviceKey(i.serial);
        d.identityKey = vrelp::makeKeyPair().secretKey;
        i.publicKey = vrelp::publicFromSecret(d.identityKey);
        out.push_back(d);
    }
    return out;
}

} // namespace vrelagent
