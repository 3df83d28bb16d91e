#include "PrivateNetwork.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace e2e {

namespace {

bool g_inPrivateNetwork = false;
QString g_problem = QStringLiteral("the private network was never set up");

// No Qt event loop yet: a plain fork and wait.
bool Run(const char *command)
{
    const int status = std::system(command);
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

bool EnterPrivateNetwork(QString *why)
{
    if (geteuid() != 0) {
        g_problem = QStringLiteral("needs root for a private network namespace");
    } else if (unshare(CLONE_NEWNET) != 0) {
        g_problem = QStringLiteral("unshare(CLONE_NEWNET) failed: %1").arg(QString::fromLocal8Bit(strerror(errno)));
    } else if (!Run("ip link set lo up && ip link set lo multicast on && ip route add 224.0.0.0/4 dev lo")) {
        g_problem = QStringLiteral("could not prepare the loopback interface of the private network");
    } else {
        g_inPrivateNetwork = true;
        g_problem.clear();
        // Library and agents stay on the namespace's only interface.
        setenv("VREL_IFACE", "lo", 1);
    }
    if (why)
        *why = g_problem;
    return g_inPrivateNetwork;
}

bool RunInPrivateNetwork(const QString &command)
{
    return g_inPrivateNetwork && Run(command.toLocal8Bit().constData());
}

bool SetPacketLoss(int percent)
{
    if (!g_inPrivateNetwork)
        return false;
    Run("nft delete table inet vrel_e2e_loss 2>/dev/null");
    if (percent <= 0)
        return true;
    const QByteArray rules = QStringLiteral("nft add table inet vrel_e2e_loss && "
                                            "nft add chain inet vrel_e2e_loss in '{ type filter hook input priority 0; }' && "
                                            "nft add rule inet vrel_e2e_loss in meta l4proto udp numgen random mod 100 '<' %1 drop")
                                 .arg(percent)
                                 .toLatin1();
    return Run(rules.constData());
}

bool InPrivateNetwork()
{
    return g_inPrivateNetwork;
}

QString PrivateNetworkProblem()
{
    return g_problem;
}

} // namespace e2e
