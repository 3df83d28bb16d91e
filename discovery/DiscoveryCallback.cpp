#include "DiscoveryCallback.h"

#include <cstring>

#include <QDebug>
#include <QReadWriteLock>

#include "VrelDeviceInfo.h"
#include "panel/QtVrel.h"

QtVrel *g_pDevicePanel = nullptr;

namespace {

QReadWriteLock &panelLock()
{
    static QReadWriteLock lock;
    return lock;
}

// Offsets of the texts the record check looks at.
constexpr size_t kCheckedTexts[] = {0x000, 0x00C, 0x03C, 0x050, 0x060, 0x080, 0x0B0, 0x0E0};
constexpr size_t kCheckWidth = 64;

// Debug items are the record's texts as they are, up to their zero.
QByteArray item(const char *field, size_t width)
{
    return FieldBytes(field, width);
}

} // namespace

void RegisterDevicePanel(QtVrel *panel)
{
    QWriteLocker lock(&panelLock());
    g_pDevicePanel = panel;
}

void UnregisterDevicePanel(QtVrel *panel)
{
    QWriteLocker lock(&panelLock());
    if (g_pDevicePanel == panel)
        g_pDevicePanel = nullptr;
}

bool RecordPassesCheck(const VREL_CALLBACK_RECORD *record)
{
    const char *base = reinterpret_cast<const char *>(record);
    for (size_t offset : kCheckedTexts) {
        if (memchr(base + offset, 0, kCheckWidth))
            return true;
    }
    return false;
}

void VREL_CALL DiscoveryCallback(const VREL_CALLBACK_RECORD *record, void * /*user*/)
{
    if (!record || !RecordPassesCheck(record))
        return;

    QReadLocker lock(&panelLock());
    QtVrel *panel = g_pDevicePanel;
    if (!panel)
        return;

    const QByteArray ip = item(record->szIPv4Address, sizeof record->szIPv4Address);
    const QByteArray serial = item(record->szSerialNo, sizeof record->szSerialNo);
    const QByteArray mac = item(record->szMac, sizeof record->szMac);

    switch (record->nEvent) {
    case VREL_EVENT_FOUND:
    case VREL_EVENT_FOUND_AGAIN: {
        qDebug().noquote() << "kvt Vrel add IP: " << ip << " SerialNO: " << serial << "Mac:  " << mac;
        const VREL_DEVICE_INFO_MY info = DeviceInfoFromRecord(*record);
        panel->AppendFoundDevice(info);
        emit panel->DeviceOnlineSignal(info);
        break;
    }
    case VREL_EVENT_CHANGED: {
        qDebug().noquote() << "kvt VREL_UPDATE: " << ip;
        const VREL_DEVICE_INFO_MY info = DeviceInfoFromRecord(*record);
        emit panel->DeviceUpdateSignal(info);
        qDebug().noquote() << "kvt Vrel update IP: " << ip << " SerialNO: " << serial << "Mac:  " << mac;
        break;
    }
    case VREL_EVENT_GONE: {
        const QString serialText = QString::fromLocal8Bit(serial);
        const QString macText = QString::fromLocal8Bit(mac);
        qDebug().noquote() << "kvt Vrel dec IP: " << ip << " SerialNO: " << serial << "Mac:  " << mac;
        emit panel->DeviceOfflineSignal(serialText, macText);
        break;
    }
    default:
        break;
    }
}
