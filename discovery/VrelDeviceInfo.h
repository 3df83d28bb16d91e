// The program's own copy of one discovered device, passed by value through
// queued signals.
#pragma once

#include <cstdint>

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <Vrel.h>

struct VREL_DEVICE_INFO_MY
{
    char szSerialNo[48];
    char szMac[20];
    char szIPv4Address[16];
    char szIPv4SubnetMask[16];
    int32_t nDeviceType;
    int32_t nPort;
    int32_t nHttpPort;
    int32_t nChannelNumber;
    int32_t nFurther;
    char szSoftwareVersion[48];
    char szDspVersion[48];
    char szStartTime[48];
    char szDeviceDescription[24];
    char szIPv4Gateway[16];
    char szIPv6Address[46];
    char szIPv6Gateway[46];
    uint8_t byIPv6PrefixLength;
    uint8_t byCapability;
    uint8_t byDhcpState;
    uint8_t byExtended;
    uint8_t byActivation;
};

Q_DECLARE_METATYPE(VREL_DEVICE_INFO_MY)

// The bytes of a fixed-width text field up to the first zero, or the whole
// width when there is none.
QByteArray FieldBytes(const char *field, size_t width);

template<size_t N>
QByteArray FieldBytes(const char (&field)[N])
{
    return FieldBytes(field, N);
}

// The same as a Latin-1 string.
template<size_t N>
QString FieldText(const char (&field)[N])
{
    return QString::fromLatin1(FieldBytes(field, N));
}

// Zero-fills the field and copies text into it, at most width - 1 bytes so that
// the field always ends with a zero inside its width.
void SetField(char *field, size_t width, const QByteArray &text);

template<size_t N>
void SetField(char (&field)[N], const QByteArray &text)
{
    SetField(field, N, text);
}

// Zero-filled copy of the fields the program keeps from a library record.
VREL_DEVICE_INFO_MY DeviceInfoFromRecord(const VREL_CALLBACK_RECORD &record);

// Same serial number and MAC address, byte for byte.
bool SameDevice(const VREL_DEVICE_INFO_MY &info, const QByteArray &serial, const QByteArray &mac);
