#include "VrelDouble.h"

#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace {

struct State
{
    std::mutex mutex;
    std::map<std::string, int> results;
    std::map<std::string, std::deque<int>> queued;
    int lastError = 0;
    quint32 keyCount = 0;
    QByteArray keyData;
    std::function<void(const VrelDouble::Call &)> hook;
    QList<VrelDouble::Call> calls;

    // Delivery thread.
    VREL_DEVICE_CALLBACK callback = nullptr;
    void *user = nullptr;
    bool started = false;
    bool stopping = false;
    std::deque<VREL_CALLBACK_RECORD> pending;
    int inFlight = 0;
    std::condition_variable wake;
    std::condition_variable idle;
    std::thread worker;
};

State &state()
{
    static State s;
    return s;
}

QString text(const char *field, size_t width)
{
    size_t n = 0;
    while (n < width && field[n])
        ++n;
    return QString::fromLatin1(field, qsizetype(n));
}

template<size_t N>
QString text(const char (&field)[N])
{
    return text(field, N);
}

int resultFor(const char *function, int fallback)
{
    State &s = state();
    auto q = s.queued.find(function);
    if (q != s.queued.end() && !q->second.empty()) {
        const int r = q->second.front();
        q->second.pop_front();
        return r;
    }
    auto r = s.results.find(function);
    return r != s.results.end() ? r->second : fallback;
}

// Records the call and returns the result the test set (or the fallback).
int record(const char *function, QVariantMap args, int fallback)
{
    VrelDouble::Call call{QString::fromLatin1(function), std::move(args)};
    std::function<void(const VrelDouble::Call &)> hook;
    int result;
    {
        State &s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        s.calls.append(call);
        result = resultFor(function, fallback);
        hook = s.hook;
    }
    if (hook)
        hook(call);
    return result;
}

void deliveryLoop()
{
    State &s = state();
    std::unique_lock<std::mutex> lock(s.mutex);
    for (;;) {
        s.wake.wait(lock, [&] { return s.stopping || !s.pending.empty(); });
        if (s.stopping)
            break;
        VREL_CALLBACK_RECORD rec = s.pending.front();
        s.pending.pop_front();
        ++s.inFlight;
        VREL_DEVICE_CALLBACK cb = s.callback;
        void *user = s.user;
        lock.unlock();
        if (cb)
            cb(&rec, user);
        lock.lock();
        --s.inFlight;
        if (s.pending.empty() && s.inFlight == 0)
            s.idle.notify_all();
    }
    s.idle.notify_all();
}

void stopWorker()
{
    State &s = state();
    std::thread worker;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.stopping = true;
        s.started = false;
        worker = std::move(s.worker);
    }
    s.wake.notify_all();
    if (worker.joinable())
        worker.join();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.pending.clear();
    s.stopping = false;
}

} // namespace

namespace VrelDouble {

void reset()
{
    stopWorker();
    State &s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.results.clear();
    s.queued.clear();
    s.lastError = 0;
    s.keyCount = 0;
    s.keyData.clear();
    s.hook = nullptr;
    s.calls.clear();
    s.callback = nullptr;
    s.user = nullptr;
}

void setResult(const char *function, int result)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().results[function] = result;
}

void queueResults(const char *function, const QList<int> &results)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    auto &q = state().queued[function];
    for (int r : results)
        q.push_back(r);
}

void setLastError(int code)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().lastError = code;
}

void setDeviceKey(quint32 count, const QByteArray &data)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().keyCount = count;
    state().keyData = data;
}

void setCallHook(std::function<void(const Call &)> hook)
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().hook = std::move(hook);
}

QList<Call> calls()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().calls;
}

QList<Call> calls(const QString &function)
{
    QList<Call> out;
    for (const Call &c : calls())
        if (c.function == function)
            out.append(c);
    return out;
}

int callCount(const QString &function)
{
    return int(calls(function).size());
}

void clearCalls()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    state().calls.clear();
}

bool isStarted()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().started;
}

VREL_DEVICE_CALLBACK callback()
{
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().callback;
}

void inject(const VREL_CALLBACK_RECORD &rec)
{
    State &s = state();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (!s.started)
            return;
        s.pending.push_back(rec);
    }
    s.wake.notify_all();
}

bool waitDelivered(int timeoutMs)
{
    State &s = state();
    std::unique_lock<std::mutex> lock(s.mutex);
    return s.idle.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return s.pending.empty() && s.inFlight == 0; });
}

} // namespace VrelDouble

extern "C" {

VREL_API int VREL_CALL VREL_Start_V30(VREL_DEVICE_CALLBACK cb, int mode, void *user)
{
    QVariantMap a;
    a.insert(QStringLiteral("callback"), cb != nullptr);
    a.insert(QStringLiteral("mode"), mode);
    a.insert(QStringLiteral("user"), quintptr(user));
    const int result = record("VREL_Start_V30", a, 1);
    if (result == 1) {
        State &s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        if (!s.started) {
            s.callback = cb;
            s.user = user;
            s.started = true;
            s.worker = std::thread(deliveryLoop);
        }
    }
    return result;
}

VREL_API int VREL_CALL VREL_Stop(void)
{
    const int result = record("VREL_Stop", {}, 1);
    stopWorker();   // no callback runs after this returns
    return result;
}

VREL_API int VREL_CALL VREL_SendInquiry(void)
{
    return record("VREL_SendInquiry", {}, 1);
}

VREL_API int VREL_CALL VREL_ModifyDeviceNetParam(const char *mac, const char *password,
                                                const NetParamBlock *block)
{
    QVariantMap a;
    a.insert(QStringLiteral("mac"), QString::fromLatin1(mac ? mac : ""));
    a.insert(QStringLiteral("password"), QString::fromLatin1(password ? password : ""));
    if (block) {
        a.insert(QStringLiteral("ipv4"), text(block->szIPv4Address));
        a.insert(QStringLiteral("mask"), text(block->szIPv4SubnetMask));
        a.insert(QStringLiteral("gateway"), text(block->szIPv4Gateway));
        a.insert(QStringLiteral("ipv6"), text(block->szIPv6Address));
        a.insert(QStringLiteral("ipv6Gateway"), text(block->szIPv6Gateway));
        a.insert(QStringLiteral("port"), uint(block->wPort));
        a.insert(QStringLiteral("prefix"), uint(block->byIPv6PrefixLength));
        a.insert(QStringLiteral("dhcp"), uint(block->byDhcp));
        a.insert(QStringLiteral("httpPort"), uint(block->wHttpPort));
        a.insert(QStringLiteral("block"),
                 QByteArray(reinterpret_cast<const char *>(block), sizeof(NetParamBlock)));
    }
    return record("VREL_ModifyDeviceNetParam", a, 1);
}

VREL_API int VREL_CALL VREL_ActivateDevice(const char *serialNo, const char *password)
{
    QVariantMap a;
    a.insert(QStringLiteral("serial"), QString::fromLatin1(serialNo ? serialNo : ""));
    a.insert(QStringLiteral("password"), QString::fromLatin1(password ? password : ""));
    return record("VREL_ActivateDevice", a, 1);
}

VREL_API int VREL_CALL VREL_ResetDefaultPasswd(const char *serialNo, const char *code)
{
    QVariantMap a;
    a.insert(QStringLiteral("serial"), QString::fromLatin1(serialNo ? serialNo : ""));
    a.insert(QStringLiteral("code"), QString::fromLatin1(code ? code : ""));
    return record("VREL_ResetDefaultPasswd", a, 1);
}

VREL_API int VREL_CALL VREL_ResetPasswd(const char *serialNo, const ResetParamBlock *block)
{
    QVariantMap a;
    a.insert(QStringLiteral("serial"), QString::fromLatin1(serialNo ? serialNo : ""));
    if (block) {
        a.insert(QStringLiteral("code"), text(block->szSecurityCode));
        a.insert(QStringLiteral("keyFile"),
                 QString::fromLocal8Bit(block->szKeyFilePath,
                                        qsizetype(strnlen(block->szKeyFilePath, sizeof block->szKeyFilePath))));
        a.insert(QStringLiteral("newPassword"), text(block->szNewPassword));
        a.insert(QStringLiteral("block"),
                 QByteArray(reinterpret_cast<const char *>(block), sizeof(ResetParamBlock)));
    }
    return record("VREL_ResetPasswd", a, 1);
}

VREL_API int VREL_CALL VREL_GetDeviceConfig(const char *serialNo, int type, const void *input,
                                           int inputSize, void *output, int outputSize)
{
    QVariantMap a;
    a.insert(QStringLiteral("serial"), QString::fromLatin1(serialNo ? serialNo : ""));
    a.insert(QStringLiteral("type"), type);
    a.insert(QStringLiteral("input"), quintptr(input));
    a.insert(QStringLiteral("inputSize"), inputSize);
    a.insert(QStringLiteral("outputSize"), outputSize);
    const int result = record("VREL_GetDeviceConfig", a, 1);
    if (result != 0 && output && outputSize >= int(sizeof(DeviceKeyBuffer))) {
        auto *buf = static_cast<DeviceKeyBuffer *>(output);
        std::lock_guard<std::mutex> lock(state().mutex);
        buf->dwDataLength = state().keyCount;
        const size_t n = std::min<size_t>(size_t(state().keyData.size()), sizeof buf->byData);
        memcpy(buf->byData, state().keyData.constData(), n);
    }
    return result;
}

VREL_API int VREL_CALL VREL_GetLastError(void)
{
    int code;
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        code = state().lastError;
    }
    record("VREL_GetLastError", {}, 0);
    return code;
}

} // extern "C"
