#pragma once

#include <cstddef>
#include <cstdint>

#include <netinet/in.h>

namespace vrelp {

// Sends link-local multicast UDP with IPv4 source address 0.0.0.0 through a
// packet socket. Receivers exempt a zero source from reverse-path filtering
// for the 224.0.0.0/24 block, so a device in a foreign subnet, which the
// receiving host has no route to, still gets through a strict or loose
// rp_filter. Needs CAP_NET_RAW; open() fails without it.
class ZeroSourceSender {
public:
    ZeroSourceSender() = default;
    ~ZeroSourceSender();
    ZeroSourceSender(const ZeroSourceSender &) = delete;
    ZeroSourceSender &operator=(const ZeroSourceSender &) = delete;

    bool open();
    bool isOpen() const { return m_fd >= 0; }
    bool send(unsigned ifindex, const in_addr &group, uint16_t sourcePort, uint16_t port, const uint8_t *payload,
              size_t size);

private:
    int m_fd = -1;
    uint16_t m_id = 0;
};

// Whether the interface is a loopback one (frames sent there are not looped
// back to local sockets through a packet socket the way multicast loopback does).
bool isLoopbackInterface(unsigned ifindex);

} // namespace vrelp
