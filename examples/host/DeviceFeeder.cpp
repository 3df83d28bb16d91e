#include "DeviceFeeder.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include <QByteArray>
#include <QString>

namespace {

template<size_t N>
void PutText(char (&field)[N], const QByteArray &text)
{
    // Zero-terminated within the field, as the tool checks.
    memset(field, 0, N);
    memcpy(field, text.constData(), std::min(N - 1, size_t(text.size())));
}

QString EventName(int event)
{
    switch (event) {
    case VREL_EVENT_FOUND:
        return QStringLiteral("found");
    case VREL_EVENT_CHANGED:
        return QStringLiteral("changed");
    case VREL_EVENT_GONE:
        return QStringLiteral("gone");
    default:
        return QString::number(event);
    }
}

} // namespace

DeviceFeeder::DeviceFeeder(Sink sink, QObject *parent)
    : QObject(parent)
    , m_sink(std::move(sink))
{
}

DeviceFeeder::~DeviceFeeder()
{
    Stop();
}

void DeviceFeeder::Stop()
{
    m_bStop = true;
    if (m_worker.joinable())
        m_worker.join();
    m_bStop = false;
}

void DeviceFeeder::Run(int count, int event, int intervalMs)
{
    Stop();
    m_worker = std::thread([this, count, event, intervalMs] {
        for (int n = 1; n <= count && !m_bStop; ++n) {
            const VREL_CALLBACK_RECORD record = MakeRecord(n, event);
            m_sink(record);
            emit RecordFed(QStringLiteral("%1 %2 %3")
                               .arg(EventName(event), QString::fromLatin1(record.szSerialNo),
                                    QString::fromLatin1(record.szIPv4Address)));
            std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
        }
    });
}

VREL_CALLBACK_RECORD DeviceFeeder::MakeRecord(int n, int event)
{
    VREL_CALLBACK_RECORD r;
    memset(&r, 0, sizeof r);
    const QByteArray number = QByteArray::number(n).rightJustified(4, '0');
    PutText(r.szProtocol, "HOST");
    PutText(r.szSerialNo, "HOSTCAM-" + number);
    PutText(r.szMac, QStringLiteral("02-00-5e-10-%1-%2")
                         .arg((n >> 8) & 0xff, 2, 16, QLatin1Char('0'))
                         .arg(n & 0xff, 2, 16, QLatin1Char('0'))
                         .toLatin1());
    // Documentation addresses: these devices exist only in this host.
    PutText(r.szIPv4Address, "192.0.2." + QByteArray::number(n % 254 + 1));
    PutText(r.szIPv4SubnetMask, "255.255.255.0");
    PutText(r.szIPv4Gateway, "192.0.2.254");
    r.nDeviceType = 0x2001;
    r.nPort = 8000;
    r.nChannelNumber = 4;
    PutText(r.szSoftwareVersion, "V2.1.0 build 261201");
    PutText(r.szDspVersion, "V1.0 build 261101");
    PutText(r.szStartTime, "2026-12-11 08:00:00");
    r.nEvent = event;
    PutText(r.szDeviceDescription, "HostCam");
    r.byExtended = 1;
    r.byCapability = VREL_CAP_DHCP;
    r.byDhcpState = n % 3 == 0 ? 1 : 0;
    r.wHttpPort = 80;
    r.byActivation = n % 4 == 0 ? 1 : 0;   // every fourth one still inactive
    return r;
}
