#include "DeviceAgent.h"

#include <csignal>

#include <sys/prctl.h>

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

bool DeviceAgent::Start(const QString &stateFile, const QStringList &extraArgs)
{
    m_output.clear();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // The agent must not outlive the test: a crashed or timed-out test takes it along.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process.start(QStringLiteral(VREL_DEVICE_PATH),
                    QStringList{QStringLiteral("--state"), stateFile, QStringLiteral("--verbose")} + extraArgs);
    if (!m_process.waitForStarted(5000))
        return false;
    for (int i = 0; i < 100 && m_process.state() == QProcess::Running; ++i) {
        m_process.waitForReadyRead(100);
        m_output += m_process.readAll();
        if (m_output.contains("playing"))
            return true;
    }
    return false;
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
