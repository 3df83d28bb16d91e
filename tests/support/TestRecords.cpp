#include "TestRecords.h"

#include <cstring>

namespace {

template<size_t N>
void put(char (&field)[N], const QByteArray &text)
{
    memset(field, 0, N);
    memcpy(field, text.constData(), std::min<size_t>(N, size_t(text.size())));
}

} // namespace

TestDevice FleetDevice(int n)
{
    TestDevice d;
    d.serial = QStringLiteral("DS-2CD2000-%1").arg(n, 4, 10, QLatin1Char('0')).toLatin1();
    d.mac = QStringLiteral("00-11-22-33-%1-%2")
                .arg((n >> 8) & 0xff, 2, 16, QLatin1Char('0'))
                .arg(n & 0xff, 2, 16, QLatin1Char('0'))
                .toLatin1();
    d.ipv4 = QStringLiteral("10.%1.%2.%3").arg((n >> 16) & 0xff).arg((n >> 8) & 0xff).arg(n & 0xff).toLatin1();
    return d;
}

VREL_CALLBACK_RECORD MakeRecord(const TestDevice &d, int event)
{
    VREL_CALLBACK_RECORD r;
    memset(&r, 0, sizeof r);
    put(r.szProtocol, "VREL1");
    put(r.szSerialNo, d.serial);
    put(r.szMac, d.mac);
    put(r.szIPv4Address, d.ipv4);
    put(r.szIPv4SubnetMask, d.mask);
    r.nDeviceType = d.type;
    r.nPort = d.port;
    r.nChannelNumber = d.channels;
    r.nFurther = d.further;
    put(r.szSoftwareVersion, d.softwareVersion);
    put(r.szDspVersion, d.dspVersion);
    put(r.szStartTime, d.startTime);
    r.nEvent = event;
    put(r.szDeviceDescription, d.description);
    put(r.szIPv4Gateway, d.gateway);
    put(r.szIPv6Address, d.ipv6);
    put(r.szIPv6Gateway, d.ipv6Gateway);
    r.byIPv6PrefixLength = uint8_t(d.prefix);
    r.byCapability = uint8_t(d.capability);
    r.byDhcpState = uint8_t(d.dhcp);
    r.byExtended = uint8_t(d.extended);
    r.wHttpPort = uint16_t(d.httpPort);
    r.byActivation = uint8_t(d.activation);
    return r;
}
