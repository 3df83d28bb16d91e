// Multicast sockets and interface discovery shared by the library and the agent.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <netinet/in.h>

namespace vrelp {

constexpr const char *kDefaultGroup = "224.0.0.199";
constexpr uint16_t kDefaultDevicePort = 41794;

// Where the protocol runs. Devices listen on devicePort, clients on devicePort + 1.
struct NetConfig {
    in_addr group{};
    uint16_t devicePort = kDefaultDevicePort;
    uint16_t clientPort = kDefaultDevicePort + 1;
    std::vector<std::string> interfaces; // empty: every multicast-capable interface

    // VREL_GROUP, VREL_PORT and VREL_IFACE (comma-separated names); false
    // when one of them is set but not usable.
    static bool fromEnvironment(NetConfig &config, std::string *error = nullptr);
    bool setGroup(const std::string &text);
    bool setPort(const std::string &text);
    void setInterfaces(const std::string &commaList);
};

struct Interface {
    unsigned index = 0;
    std::string name;
};

// Interfaces that are up and multicast-capable, optionally limited to names.
std::vector<Interface> multicastInterfaces(const std::vector<std::string> &only);

// One UDP socket bound to group:port that joins the group per interface,
// sends out of a chosen interface and tells on which one a datagram arrived.
class MulticastSocket {
public:
    MulticastSocket() = default;
    ~MulticastSocket();
    MulticastSocket(const MulticastSocket &) = delete;
    MulticastSocket &operator=(const MulticastSocket &) = delete;

    bool open(const in_addr &group, uint16_t port, int receiveBuffer, std::string *error = nullptr);
    void close();
    int fd() const { return m_fd; }

    // Joins on interfaces not joined yet and forgets vanished ones; returns
    // the interfaces in use afterwards.
    std::vector<unsigned> refreshInterfaces(const std::vector<std::string> &only);
    const std::set<unsigned> &joined() const { return m_joined; }

    bool sendOn(unsigned ifindex, uint16_t port, const uint8_t *data, size_t size);
    // Returns the length, 0 for nothing to read, -1 on error; drops truncated datagrams.
    long receive(uint8_t *buf, size_t size, unsigned &ifindex);
    int receiveBufferSize() const;

private:
    int m_fd = -1;
    in_addr m_group{};
    std::set<unsigned> m_joined;
    unsigned m_lastSendIf = 0;
};

std::string ipv4ToText(const uint8_t *a);
std::string ipv6ToText(const uint8_t *a);
bool ipv4FromText(const std::string &text, uint8_t *out);
bool ipv6FromText(const std::string &text, uint8_t *out);

} // namespace vrelp
