// One vrel-device process playing a fleet from a state file. It dies with the
// test process, also when the test crashes or is killed by a timeout.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace e2e {

class DeviceAgent
{
public:
    DeviceAgent() = default;
    ~DeviceAgent();
    DeviceAgent(const DeviceAgent &) = delete;
    DeviceAgent &operator=(const DeviceAgent &) = delete;

    // Starts the agent and waits until it plays its devices.
    bool Start(const QString &stateFile, const QStringList &extraArgs = {});
    // The same on a host of its own: a network namespace whose only link,
    // eth0, is the peer of hostLink in the test's namespace. The agent gives
    // eth0 the first device's address, as a real device would take it. The
    // link goes away with the agent.
    bool StartOnOwnLink(const QString &stateFile, const QString &hostLink);
    // The IPv4 addresses on the agent's own link ("a.b.c.d/len").
    QStringList LinkAddresses() const;
    // Clean exit: the devices say goodbye. True when it exited normally.
    bool Stop();
    // Pulls the plug: the devices fall silent without a goodbye.
    void Kill();
    bool IsRunning() const { return m_process.state() != QProcess::NotRunning; }
    // Everything the agent wrote (one line per command; never a secret).
    QString Output();

private:
    bool Launch(const QString &program, const QStringList &args);
    bool WaitUntilPlaying();

    QProcess m_process;
    QByteArray m_output;
};

} // namespace e2e
