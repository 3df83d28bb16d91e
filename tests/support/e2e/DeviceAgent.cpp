#include "DeviceAgent.h"

#include <csignal>

#include <sys/prctl.h>
#include <unistd.h>

namespace e2e {

DeviceAgent::~DeviceAgent()
{
    Kill();
}

void DeviceAgent::Kill()
{
    if (!IsRunning())
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
    m_output += m_process.readAll();
}

bool DeviceAgent::Launch(const QString &program, const QStringList &args)
{
    m_output.clear();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // The agent must not outlive the test: a crashed or timed-out test takes it along.
    const pid_t test = getpid();
    m_process.setChildProcessModifier([test] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != test)   // the test died before the line above
            _exit(127);
    });
    m_process.start(program, args);
    return m_process.waitForStarted(5000);
}

bool DeviceAgent::WaitUntilPlaying()
{
    for (int i = 0; i < 100 && m_process.state() == QProcess::Running; ++i) {
        m_process.waitForReadyRead(100);
        m_output += m_process.readAll();
        if (m_output.contains("playing"))
            return true;
    }
    return false;
}

bool DeviceAgent::Start(const QString &stateFile, const QStringList &extraArgs)
{
    return Launch(QStringLiteral(VREL_DEVICE_PATH),
                  QStringList{QStringLiteral("--state"), stateFile, QStringLiteral("--verbose")} + extraArgs)
           && WaitUntilPlaying();
}

bool DeviceAgent::StartOnOwnLink(const QString &stateFile, const QString &hostLink)
{
    // unshare and sh exec into the agent, so the process keeps its pid (and
    // its death signal) and owns the namespace.
    const QString script = QStringLiteral("until ip link show eth0 >/dev/null 2>&1; do sleep 0.05; done; "
                                          "ip link set lo up && ip link set eth0 up && exec \"$0\" \"$@\"");
    if (!Launch(QStringLiteral("unshare"),
                {QStringLiteral("-n"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                 QStringLiteral(VREL_DEVICE_PATH), QStringLiteral("--state"), stateFile, QStringLiteral("--verbose"),
                 QStringLiteral("--iface"), QStringLiteral("eth0"), QStringLiteral("--apply-iface"),
                 QStringLiteral("eth0")}))
        return false;
    const QString peer = hostLink + QStringLiteral("p");
    QProcess link;
    link.start(QStringLiteral("sh"),
               {QStringLiteral("-c"), QStringLiteral("ip link add %1 type veth peer name %2 && "
                                                     "ip link set %2 netns %3 name eth0 && ip link set %1 up")
                                          .arg(hostLink, peer)
                                          .arg(m_process.processId())});
    if (!link.waitForFinished(10000) || link.exitCode() != 0)
        return false;
    return WaitUntilPlaying();
}

QStringList DeviceAgent::LinkAddresses() const
{
    QProcess ip;
    ip.start(QStringLiteral("nsenter"), {QStringLiteral("-t"), QString::number(m_process.processId()), QStringLiteral("-n"),
                                         QStringLiteral("ip"), QStringLiteral("-4"), QStringLiteral("-o"),
                                         QStringLiteral("addr"), QStringLiteral("show"), QStringLiteral("dev"),
                                         QStringLiteral("eth0")});
    if (!ip.waitForFinished(10000))
        return {};
    QStringList addresses;
    const QList<QByteArray> lines = ip.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> words = line.simplified().split(' ');
        const qsizetype at = words.indexOf("inet");
        if (at >= 0 && at + 1 < words.size())
            addresses << QString::fromLatin1(words.at(at + 1));
    }
    return addresses;
}

bool DeviceAgent::Stop()
{
    if (!IsRunning())
        return true;
    ::kill(pid_t(m_process.processId()), SIGTERM);
    const bool finished = m_process.waitForFinished(5000);
    m_output += m_process.readAll();
    if (!finished) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return false;
    }
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

QString DeviceAgent::Output()
{
    m_output += m_process.readAll();
    return QString::fromLocal8Bit(m_output);
}

} // namespace e2e
