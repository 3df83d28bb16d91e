#include "VrelDeviceInfo.h"

#include <cstring>

QByteArray FieldBytes(const char *field, size_t width)
{
    const void *zero = memchr(field, 0, width);
    const size_t n = zero ? size_t(static_cast<const char *>(zero) - field) : width;
    return QByteArray(field, qsizetype(n));
}

void SetField(char *field, size_t width, const QByteArray &text)
{
    memset(field, 0, width);
    if (width == 0)
        return;
    memcpy(field, text.constData(), std::min(width - 1, size_t(text.size())));
}

namespace {

// Copies the whole width, as the record has it.
template<size_t N, size_t M>
void copyField(char (&to)[N], const char (&from)[M])
{
    static_assert(N == M, "device record and library record fields differ in width");
    memcpy(to, from, N);
}

} // namespace

VREL_DEVICE_INFO_MY DeviceInfoFromRecord(const VREL_CALLBACK_RECORD &r)
{
    VREL_DEVICE_INFO_MY d;
    memset(&d, 0, sizeof d);
    copyField(d.szSerialNo, r.szSerialNo);
    copyField(d.szMac, r.szMac);
    copyField(d.szIPv4Address, r.szIPv4Address);
    copyField(d.szIPv4SubnetMask, r.szIPv4SubnetMask);
    d.nDeviceType = r.nDeviceType;
    d.nPort = r.nPort;
    d.nHttpPort = int32_t(r.wHttpPort);
    d.nChannelNumber = r.nChannelNumber;
    d.nFurther = r.nFurther;
    copyField(d.szSoftwareVersion, r.szSoftwareVersion);
    copyField(d.szDspVersion, r.szDspVersion);
    copyField(d.szStartTime, r.szStartTime);
    copyField(d.szDeviceDescription, r.szDeviceDescription);
    copyField(d.szIPv4Gateway, r.szIPv4Gateway);
    copyField(d.szIPv6Address, r.szIPv6Address);
    copyField(d.szIPv6Gateway, r.szIPv6Gateway);
    d.byIPv6PrefixLength = r.byIPv6PrefixLength;
    d.byCapability = r.byCapability;
    d.byDhcpState = r.byDhcpState;
    d.byExtended = r.byExtended;
    d.byActivation = r.byActivation;
    return d;
}

bool SameDevice(const VREL_DEVICE_INFO_MY &info, const QByteArray &serial, const QByteArray &mac)
{
    return FieldBytes(info.szSerialNo) == serial && FieldBytes(info.szMac) == mac;
}
