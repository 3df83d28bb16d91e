// Control side of the scripted discovery library used by the panel and
// command tests. The library side exports the same C functions as the real
// one; every call is recorded with its arguments, blocks decoded by field.
#pragma once

#include <functional>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <Vrel.h>

namespace VrelDouble {

struct Call
{
    QString function;
    QVariantMap args;   // decoded arguments; blocks also as raw bytes under "block"
};

// Back to a clean state: no calls, default results, not started.
void reset();

// Result of every further call of `function` (for example "VREL_Start_V30").
void setResult(const char *function, int result);
// Results of the next calls of `function`, in order; then the default again.
void queueResults(const char *function, const QList<int> &results);
void setLastError(int code);
// Data VREL_GetDeviceConfig copies into the key buffer: the count field and
// as many data bytes as the buffer holds.
void setDeviceKey(quint32 count, const QByteArray &data);
// Runs inside every call, after it is recorded (e.g. to inject a record
// while a command is running).
void setCallHook(std::function<void(const Call &)> hook);

QList<Call> calls();
QList<Call> calls(const QString &function);
int callCount(const QString &function);
void clearCalls();

bool isStarted();
VREL_DEVICE_CALLBACK callback();

// Queues a record for delivery from the library's own thread, in order.
// Records are delivered only while started.
void inject(const VREL_CALLBACK_RECORD &record);
// Waits until every injected record has been delivered; false on timeout.
bool waitDelivered(int timeoutMs = 5000);

} // namespace VrelDouble
