// Fixtures of the discovery protocol tests: a private network namespace,
// device agents as child processes, and a recorder of library callbacks.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/vrel/include/Vrel.h"

namespace vreltest {

// Moves this process into a network namespace of its own with a
// multicast-capable loopback. Call first thing in main(), before any thread
// exists. False when not root or when it fails.
bool isolateNetwork(QString *why = nullptr);
// Runs a shell command in this process's namespace; returns its exit code.
int sh(const QString &command, QString *output = nullptr);

// One vrel-device process.
class Agent {
public:
    ~Agent();
    // Waits until the agent plays its devices unless waitReady is false.
    bool start(const QString &stateFile, const QStringList &extraArgs = {}, const QStringList &prefix = {},
               bool waitReady = true);
    // Clean exit: the devices say goodbye.
    bool stop();
    void kill();
    qint64 pid() const { return m_process.processId(); }
    QString output();

private:
    QProcess m_process;
};

// Writes a generated fleet; extra are vrel-device generator options.
bool generateFleet(const QString &path, int count, const QStringList &extra = {});
QJsonObject fleetDevice(const QString &path, int index);
// Whether the file parses as a state file with count devices.
bool fleetIntact(const QString &path, int count);

struct Event {
    int event = 0;
    QString serial;
    QString mac;
    QString ipv4;
    VREL_CALLBACK_RECORD record{};
};

// Records every callback of the library; the test waits on it.
class Recorder {
public:
    static Recorder &instance();
    static void VREL_CALL callback(const VREL_CALLBACK_RECORD *record, void *user);

    void clear();
    std::vector<Event> events();
    // Waits until pred(events) holds or the time is up.
    bool waitFor(const std::function<bool(const std::vector<Event> &)> &pred, int timeoutMs);
    int count(int event);
    // Devices with a found event not followed by a gone event.
    int present();

    // Makes callbacks block on this lock while a test holds it.
    std::mutex gate;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Event> m_events;
};

// Starts the library with the recorder; stops it when it goes out of scope.
class Library {
public:
    Library();
    ~Library();
    bool started() const { return m_started; }

private:
    bool m_started = false;
};

QString text(const char *field, size_t width);
NetParamBlock netBlock(const QString &ip, const QString &mask, const QString &gateway, int port = 8000,
                       int httpPort = 80, bool dhcp = false);

} // namespace vreltest

// main() of a network test: isolates the process before QtTest starts; the
// test class reads vreltest::g_isolated / g_whyNot to skip cleanly.
namespace vreltest {
extern bool g_isolated;
extern QString g_whyNot;
}

#define VREL_NET_TEST_MAIN(TestClass)                                                                                \
    int main(int argc, char **argv)                                                                                  \
    {                                                                                                                \
        vreltest::g_isolated = vreltest::isolateNetwork(&vreltest::g_whyNot);                                        \
        QCoreApplication app(argc, argv);                                                                            \
        TestClass tc;                                                                                                \
        return QTest::qExec(&tc, argc, argv);                                                                        \
    }

#define VREL_REQUIRE_NAMESPACE()                                                                                     \
    do {                                                                                                             \
        if (!vreltest::g_isolated) {                                                                                 \
            if (geteuid() != 0)                                                                                      \
                QSKIP("network tests need root (private network namespaces)");                                      \
            QFAIL(qPrintable(vreltest::g_whyNot));                                                                   \
        }                                                                                                            \
    } while (0)
