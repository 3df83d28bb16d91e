#include "AddressApplier.h"

#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "Net.h"

namespace vrelagent {

namespace {

int maskLength(const std::array<uint8_t, 4> &m)
{
    int n = 0;
    for (uint8_t b : m)
        for (int i = 7; i >= 0; --i)
            n += (b >> i) & 1;
    return n;
}

// Runs "ip" with the arguments, no shell involved.
bool runIp(const std::vector<std::string> &args)
{
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        std::vector<char *> argv;
        argv.push_back(const_cast<char *>("ip"));
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execvp("ip", argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

AddressApplier::AddressApplier(std::string interfaceName)
    : m_interface(std::move(interfaceName))
{
}

bool AddressApplier::apply(const vrelp::DeviceInfo &info, std::string &error) const
{
    const std::string addr = vrelp::ipv4ToText(info.ipv4.data()) + "/" + std::to_string(maskLength(info.mask));
    if (!runIp({"-4", "addr", "flush", "dev", m_interface, "scope", "global"})
        || !runIp({"-4", "addr", "add", addr, "dev", m_interface})) {
        error = "could not set " + addr + " on " + m_interface;
        return false;
    }
    // Keep multicast on this link whatever the new address is.
    runIp({"-4", "route", "replace", "224.0.0.0/4", "dev", m_interface});
    const std::array<uint8_t, 4> none{};
    if (info.gateway != none)
        runIp({"-4", "route", "replace", "default", "via", vrelp::ipv4ToText(info.gateway.data()), "dev", m_interface});
    return true;
}

} // namespace vrelagent
