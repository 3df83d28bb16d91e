#include "Net.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vrelp {

bool NetConfig::setGroup(const std::string &text)
{
    in_addr a{};
    if (inet_pton(AF_INET, text.c_str(), &a) != 1)
        return false;
    if (!IN_MULTICAST(ntohl(a.s_addr)))
        return false;
    group = a;
    return true;
}

bool NetConfig::setPort(const std::string &text)
{
    char *end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno || !end || *end || text.empty() || v < 1 || v > 65534)
        return false;
    devicePort = uint16_t(v);
    clientPort = uint16_t(v + 1);
    return true;
}

void NetConfig::setInterfaces(const std::string &commaList)
{
    interfaces.clear();
    std::stringstream ss(commaList);
    std::string name;
    while (std::getline(ss, name, ',')) {
        if (!name.empty())
            interfaces.push_back(name);
    }
}

bool NetConfig::fromEnvironment(NetConfig &c, std::string *error)
{
    c = NetConfig();
    c.setGroup(kDefaultGroup);
    if (const char *g = std::getenv("VREL_GROUP"); g && *g && !c.setGroup(g)) {
        if (error)
            *error = "VREL_GROUP is not an IPv4 multicast address";
        return false;
    }
    if (const char *p = std::getenv("VREL_PORT"); p && *p && !c.setPort(p)) {
        if (error)
            *error = "VREL_PORT is not a port number from 1 to 65534";
        return false;
    }
    if (const char *i = std::getenv("VREL_IFACE"); i && *i)
        c.setInterfaces(i);
    return true;
}

std::vector<Interface> multicastInterfaces(const std::vector<std::string> &only)
{
    std::vector<Interface> result;
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return result;
    for (ifaddrs *i = list; i; i = i->ifa_next) {
        if (!i->ifa_name || !(i->ifa_flags & IFF_UP) || !(i->ifa_flags & IFF_MULTICAST))
            continue;
        if (!only.empty()) {
            bool wanted = false;
            for (const std::string &n : only)
                wanted = wanted || n == i->ifa_name;
            if (!wanted)
                continue;
        }
        const unsigned index = if_nametoindex(i->ifa_name);
        if (!index)
            continue;
        bool seen = false;
        for (const Interface &r : result)
            seen = seen || r.index == index;
        if (!seen)
            result.push_back({index, i->ifa_name});
    }
    freeifaddrs(list);
    return result;
}

MulticastSocket::~MulticastSocket() { close(); }

bool MulticastSocket::open(const in_addr &group, uint16_t port, int receiveBuffer, std::string *error)
{
    close();
    m_group = group;
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_fd < 0) {
        if (error)
            *error = std::strerror(errno);
        return false;
    }
    const int one = 1, zero = 0;
    setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    setsockopt(m_fd, SOL_SOCKET, SO_REUSEPORT, &one, sizeof one);
    setsockopt(m_fd, IPPROTO_IP, IP_PKTINFO, &one, sizeof one);
    // Only the memberships of this socket, not every group the host joined.
    setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_ALL, &zero, sizeof zero);
    const unsigned char ttl = 1, loop = 1;
    setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);
    setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof loop);
    if (receiveBuffer > 0) {
        // Privileged callers may exceed net.core.rmem_max; others get what it allows.
        if (setsockopt(m_fd, SOL_SOCKET, SO_RCVBUFFORCE, &receiveBuffer, sizeof receiveBuffer) != 0)
            setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr = group; // bound to the group: no unicast reaches this socket
    if (::bind(m_fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
        if (error)
            *error = std::strerror(errno);
        close();
        return false;
    }
    return true;
}

void MulticastSocket::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_joined.clear();
    m_lastSendIf = 0;
}

std::vector<unsigned> MulticastSocket::refreshInterfaces(const std::vector<std::string> &only)
{
    std::set<unsigned> present;
    for (const Interface &i : multicastInterfaces(only)) {
        present.insert(i.index);
        if (m_joined.count(i.index))
            continue;
        ip_mreqn req{};
        req.imr_multiaddr = m_group;
        req.imr_ifindex = int(i.index);
        if (setsockopt(m_fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &req, sizeof req) == 0 || errno == EADDRINUSE)
            m_joined.insert(i.index);
    }
    for (auto it = m_joined.begin(); it != m_joined.end();) {
        if (!present.count(*it)) {
            ip_mreqn req{};
            req.imr_multiaddr = m_group;
            req.imr_ifindex = int(*it);
            setsockopt(m_fd, IPPROTO_IP, IP_DROP_MEMBERSHIP, &req, sizeof req);
            it = m_joined.erase(it);
        } else {
            ++it;
        }
    }
    return {m_joined.begin(), m_joined.end()};
}

bool MulticastSocket::sendOn(unsigned ifindex, uint16_t port, const uint8_t *data, size_t size)
{
    if (m_fd < 0)
        return false;
    if (ifindex != m_lastSendIf) {
        ip_mreqn req{};
        req.imr_ifindex = int(ifindex);
        if (setsockopt(m_fd, IPPROTO_IP, IP_MULTICAST_IF, &req, sizeof req) != 0)
            return false;
        m_lastSendIf = ifindex;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr = m_group;
    for (int attempt = 0; attempt < 50; ++attempt) {
        const ssize_t n = ::sendto(m_fd, data, size, 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
        if (n == ssize_t(size))
            return true;
        if (n < 0 && (errno == EAGAIN || errno == ENOBUFS)) {
            // The send queue is full during a burst: give the kernel a moment.
            usleep(200);
            continue;
        }
        return false;
    }
    return false;
}

long MulticastSocket::receive(uint8_t *buf, size_t size, unsigned &ifindex)
{
    iovec iov{buf, size};
    char control[256];
    msghdr msg{};
    sockaddr_in from{};
    msg.msg_name = &from;
    msg.msg_namelen = sizeof from;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    msg.msg_control = control;
    msg.msg_controllen = sizeof control;
    for (;;) {
        const ssize_t n = ::recvmsg(m_fd, &msg, MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
        }
        if (msg.msg_flags & MSG_TRUNC) {
            // Oversized: not ours. Read the next one.
            msg.msg_controllen = sizeof control;
            msg.msg_flags = 0;
            continue;
        }
        ifindex = 0;
        for (cmsghdr *c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
            if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                in_pktinfo info;
                std::memcpy(&info, CMSG_DATA(c), sizeof info);
                ifindex = unsigned(info.ipi_ifindex);
            }
        }
        return long(n);
    }
}

int MulticastSocket::receiveBufferSize() const
{
    int v = 0;
    socklen_t len = sizeof v;
    getsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &v, &len);
    return v;
}

std::string ipv4ToText(const uint8_t *a)
{
    char buf[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, a, buf, sizeof buf);
    return buf;
}

std::string ipv6ToText(const uint8_t *a)
{
    char buf[INET6_ADDRSTRLEN] = {};
    inet_ntop(AF_INET6, a, buf, sizeof buf);
    return buf;
}

bool ipv4FromText(const std::string &text, uint8_t *out) { return inet_pton(AF_INET, text.c_str(), out) == 1; }

bool ipv6FromText(const std::string &text, uint8_t *out) { return inet_pton(AF_INET6, text.c_str(), out) == 1; }

} // namespace vrelp
