#include "RecordBuilder.h"

#include <cstring>
#include <string>

#include "Net.h"

namespace vrelp {

namespace {

template <size_t N> void putText(char (&field)[N], const std::string &text)
{
    const size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

} // namespace

void fillRecord(const DeviceInfo &d, int event, VREL_CALLBACK_RECORD &r)
{
    std::memset(&r, 0, sizeof r);
    putText(r.szProtocol, kRecordProtocol);
    putText(r.szSerialNo, d.serial);
    putText(r.szMac, macToText(d.mac));
    putText(r.szIPv4Address, ipv4ToText(d.ipv4.data()));
    putText(r.szIPv4SubnetMask, ipv4ToText(d.mask.data()));
    r.nDeviceType = d.deviceType;
    r.nPort = d.port;
    r.nChannelNumber = d.channels;
    r.nFurther = d.further;
    putText(r.szSoftwareVersion, d.softwareVersion);
    putText(r.szDspVersion, d.dspVersion);
    putText(r.szStartTime, d.startTime);
    r.nEvent = event;
    putText(r.szDeviceDescription, d.description);
    // A device without a gateway reports 0.0.0.0; the program shows it as empty.
    const bool noGateway = d.gateway == std::array<uint8_t, 4>{};
    putText(r.szIPv4Gateway, noGateway ? std::string() : ipv4ToText(d.gateway.data()));
    putText(r.szIPv6Address, ipv6ToText(d.ipv6.data()));
    putText(r.szIPv6Gateway, ipv6ToText(d.ipv6Gateway.data()));
    r.byIPv6PrefixLength = d.ipv6Prefix;
    r.byCapability = d.capabilities;
    r.byDhcpState = d.dhcp ? 1 : 0;
    r.byExtended = 1;
    r.wHttpPort = d.httpPort;
    r.byActivation = d.activated ? 0 : 1;
}

} // namespace vrelp
