#include "ZeroSourceSender.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <linux/if_packet.h>
#include <net/ethernet.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vrelp {

namespace {

uint32_t sum16(const uint8_t *data, size_t size, uint32_t sum)
{
    for (size_t i = 0; i + 1 < size; i += 2)
        sum += uint32_t(data[i] << 8 | data[i + 1]);
    if (size & 1)
        sum += uint32_t(data[size - 1] << 8);
    return sum;
}

uint16_t fold(uint32_t sum)
{
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return uint16_t(~sum);
}

} // namespace

ZeroSourceSender::~ZeroSourceSender()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ZeroSourceSender::open()
{
    if (m_fd >= 0)
        return true;
    // Protocol 0: this socket only sends, it receives nothing.
    m_fd = ::socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    return m_fd >= 0;
}

bool ZeroSourceSender::send(unsigned ifindex, const in_addr &group, uint16_t sourcePort, uint16_t port,
                            const uint8_t *payload, size_t size)
{
    if (m_fd < 0 || size > 1472)
        return false;
    std::vector<uint8_t> packet(28 + size, 0);
    uint8_t *ip = packet.data();
    uint8_t *udp = ip + 20;
    const uint16_t total = uint16_t(packet.size());
    const uint16_t udpLength = uint16_t(8 + size);
    const uint8_t *dst = reinterpret_cast<const uint8_t *>(&group.s_addr);
    ++m_id;

    ip[0] = 0x45;
    ip[2] = uint8_t(total >> 8);
    ip[3] = uint8_t(total);
    ip[4] = uint8_t(m_id >> 8);
    ip[5] = uint8_t(m_id);
    ip[6] = 0x40; // don't fragment
    ip[8] = 1;    // TTL: this link only
    ip[9] = IPPROTO_UDP;
    std::memcpy(ip + 16, dst, 4); // source stays 0.0.0.0
    const uint16_t ipSum = fold(sum16(ip, 20, 0));
    ip[10] = uint8_t(ipSum >> 8);
    ip[11] = uint8_t(ipSum);

    udp[0] = uint8_t(sourcePort >> 8);
    udp[1] = uint8_t(sourcePort);
    udp[2] = uint8_t(port >> 8);
    udp[3] = uint8_t(port);
    udp[4] = uint8_t(udpLength >> 8);
    udp[5] = uint8_t(udpLength);
    std::memcpy(udp + 8, payload, size);
    // Pseudo header: zero source, group, protocol, UDP length.
    uint32_t sum = sum16(dst, 4, 0);
    sum += IPPROTO_UDP + udpLength;
    uint16_t udpSum = fold(sum16(udp, udpLength, sum));
    if (udpSum == 0)
        udpSum = 0xFFFF;
    udp[6] = uint8_t(udpSum >> 8);
    udp[7] = uint8_t(udpSum);

    sockaddr_ll to{};
    to.sll_family = AF_PACKET;
    to.sll_protocol = htons(ETH_P_IP);
    to.sll_ifindex = int(ifindex);
    to.sll_halen = 6;
    // The group's Ethernet address: 01:00:5e and the low 23 bits.
    to.sll_addr[0] = 0x01;
    to.sll_addr[1] = 0x00;
    to.sll_addr[2] = 0x5e;
    to.sll_addr[3] = dst[1] & 0x7F;
    to.sll_addr[4] = dst[2];
    to.sll_addr[5] = dst[3];
    for (int attempt = 0; attempt < 50; ++attempt) {
        const ssize_t n = ::sendto(m_fd, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
        if (n == ssize_t(packet.size()))
            return true;
        if (n < 0 && (errno == EAGAIN || errno == ENOBUFS)) {
            usleep(200);
            continue;
        }
        return false;
    }
    return false;
}

bool isLoopbackInterface(unsigned ifindex)
{
    char name[IF_NAMESIZE] = {};
    if (!if_indextoname(ifindex, name))
        return false;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ifreq req{};
    std::memcpy(req.ifr_name, name, sizeof req.ifr_name);
    const bool loop = ::ioctl(fd, SIOCGIFFLAGS, &req) == 0 && (req.ifr_flags & IFF_LOOPBACK);
    ::close(fd);
    return loop;
}

} // namespace vrelp
