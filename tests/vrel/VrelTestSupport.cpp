#include "VrelTestSupport.h"

#include <cstring>

#include <sched.h>
#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

namespace vreltest {

bool g_isolated = false;
QString g_whyNot;

bool isolateNetwork(QString *why)
{
    if (geteuid() != 0) {
        if (why)
            *why = QStringLiteral("needs root for a private network namespace");
        return false;
    }
    if (unshare(CLONE_NEWNET) != 0) {
        if (why)
            *why = QStringLiteral("unshare(CLONE_NEWNET) failed: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    const int rc = sh(QStringLiteral("ip link set lo up && ip link set lo multicast on && "
                                     "ip route add 224.0.0.0/4 dev lo"));
    if (rc != 0 && why)
        *why = QStringLiteral("could not prepare the loopback interface");
    return rc == 0;
}

int sh(const QString &command, QString *output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

Agent::~Agent() { kill(); }

bool Agent::start(const QString &stateFile, const QStringList &extraArgs, const QStringList &prefix, bool waitReady)
{
    QStringList args = prefix;
    args << QStringLiteral(VREL_DEVICE_PATH) << QStringLiteral("--state") << stateFile << extraArgs;
    const QString program = args.takeFirst();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, args);
    if (!m_process.waitForStarted(5000))
        return false;
    if (!waitReady)
        return true;
    // Ready once it says what it plays.
    for (int i = 0; i < 100 && m_process.state() == QProcess::Running; ++i) {
        if (m_process.waitForReadyRead(100) || m_process.bytesAvailable()) {
            if (m_process.peek(1 << 16).contains("playing"))
                return true;
        }
    }
    return m_process.state() == QProcess::Running;
}

bool Agent::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return true;
    ::kill(pid_t(m_process.processId()), SIGTERM);
    return m_process.waitForFinished(5000) && m_process.exitCode() == 0;
}

void Agent::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString Agent::output() { return QString::fromLocal8Bit(m_process.readAll()); }

bool generateFleet(const QString &path, int count, const QStringList &extra)
{
    QProcess p;
    p.start(QStringLiteral(VREL_DEVICE_PATH),
            QStringList{QStringLiteral("--generate"), QString::number(count), QStringLiteral("--out"), path} + extra);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

static QJsonArray fleetArray(const QString &path, bool *ok)
{
    QFile f(path);
    *ok = false;
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &e);
    *ok = e.error == QJsonParseError::NoError && doc.isObject();
    return doc.object().value(QStringLiteral("devices")).toArray();
}

QJsonObject fleetDevice(const QString &path, int index)
{
    bool ok = false;
    return fleetArray(path, &ok).at(index).toObject();
}

bool fleetIntact(const QString &path, int count)
{
    bool ok = false;
    const QJsonArray a = fleetArray(path, &ok);
    return ok && a.size() == count;
}

Recorder &Recorder::instance()
{
    static Recorder r;
    return r;
}

void VREL_CALL Recorder::callback(const VREL_CALLBACK_RECORD *record, void *)
{
    Recorder &r = instance();
    { std::lock_guard<std::mutex> wait(r.gate); }
    Event e;
    e.event = record->nEvent;
    e.serial = text(record->szSerialNo, sizeof record->szSerialNo);
    e.mac = text(record->szMac, sizeof record->szMac);
    e.ipv4 = text(record->szIPv4Address, sizeof record->szIPv4Address);
    e.record = *record;
    {
        std::lock_guard<std::mutex> lock(r.m_mutex);
        r.m_events.push_back(e);
    }
    r.m_changed.notify_all();
}

void Recorder::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.clear();
}

std::vector<Event> Recorder::events()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

bool Recorder::waitFor(const std::function<bool(const std::vector<Event> &)> &pred, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return pred(m_events); });
}

int Recorder::count(int event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int n = 0;
    for (const Event &e : m_events)
        n += e.event == event;
    return n;
}

int Recorder::present()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QStringList on;
    for (const Event &e : m_events) {
        if (e.event == VREL_EVENT_FOUND)
            on << e.mac;
        else if (e.event == VREL_EVENT_GONE)
            on.removeAll(e.mac);
    }
    on.removeDuplicates();
    return int(on.size());
}

Library::Library()
{
    Recorder::instance().clear();
    m_started = VREL_Start_V30(&Recorder::callback, 1, nullptr) == 1;
}

Library::~Library()
{
    if (m_started)
        VREL_Stop();
}

QString text(const char *field, size_t width)
{
    return QString::fromLatin1(field, qsizetype(strnlen(field, width)));
}

NetParamBlock netBlock(const QString &ip, const QString &mask, const QString &gateway, int port, int httpPort,
                       bool dhcp)
{
    NetParamBlock b;
    std::memset(&b, 0, sizeof b);
    std::strncpy(b.szIPv4Address, ip.toLatin1().constData(), 15);
    std::strncpy(b.szIPv4SubnetMask, mask.toLatin1().constData(), 15);
    std::strncpy(b.szIPv4Gateway, gateway.toLatin1().constData(), 15);
    std::strcpy(b.szIPv6Address, "::");
    std::strcpy(b.szIPv6Gateway, "::");
    b.wPort = uint16_t(port);
    b.wHttpPort = uint16_t(httpPort);
    b.byDhcp = dhcp ? 1 : 0;
    return b;
}

} // namespace vreltest
