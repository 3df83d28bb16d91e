#pragma once

#include <deque>
#include <map>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

#include "AddressApplier.h"
#include "Commands.h"
#include "DeviceState.h"
#include "Net.h"
#include "ZeroSourceSender.h"

namespace vrelagent {

struct AgentOptions {
    std::string statePath;
    vrelp::NetConfig net;
    int heartbeatSeconds = 10;
    std::string applyInterface;
    int pauseBeforeSaveMs = 0; // testing aid: a slow store to kill the agent in
    bool zeroSource = true;    // send with source 0.0.0.0 where permitted
    bool verbose = false;
};

// Plays every device of a state file on the network.
class DeviceAgent {
public:
    DeviceAgent(AgentOptions options, std::vector<DeviceState> devices);
    // Runs until requestStop(); says goodbye for every device before it returns.
    int run();
    static void requestStop();

    // One received datagram (public for the fuzz target, which runs the
    // agent without a socket: whatever it would send goes nowhere).
    void handleDatagram(const uint8_t *data, size_t size, unsigned ifindex);

private:
    enum class Kind { Answer, Heartbeat, Announce };
    struct Event {
        long long atMs;
        Kind kind;
        size_t device;
        uint32_t txid;
        unsigned ifindex; // 0: every interface
        bool operator>(const Event &o) const { return atMs > o.atMs; }
    };
    struct IssuedChallenge {
        uint32_t requestTxid;
        vrelp::Challenge value;
        long long issuedMs;
    };
    struct CachedResult {
        std::vector<uint8_t> datagram;
        long long atMs;
    };

    void onInquiry(const vrelp::Reader &r, unsigned ifindex);
    void onChallengeRequest(const vrelp::Reader &r, unsigned ifindex);
    void onCommand(const vrelp::Reader &r, unsigned ifindex);
    void runDue(long long nowMs);
    void sendInfo(size_t device, vrelp::InfoReason reason, uint32_t txid, unsigned ifindex);
    void sendBye();
    void send(const std::vector<uint8_t> &datagram, unsigned ifindex);
    void sendResult(size_t device, const vrelp::Key32 &clientKey, const vrelp::CommandResult &result,
                    unsigned ifindex, bool cache);
    bool persist(std::string &error);
    long long nowMs() const;
    void log(const std::string &line) const;

    AgentOptions m_options;
    std::vector<DeviceState> m_devices;
    std::map<vrelp::Mac, size_t> m_byMac;
    std::unordered_map<std::string, size_t> m_bySerial;
    std::vector<std::deque<IssuedChallenge>> m_challenges;
    std::map<std::pair<vrelp::Key32, uint32_t>, CachedResult> m_results;
    std::priority_queue<Event, std::vector<Event>, std::greater<Event>> m_events;
    vrelp::MulticastSocket m_socket;
    vrelp::ZeroSourceSender m_zeroSource;
    std::map<unsigned, bool> m_loopback;
    std::deque<std::pair<uint64_t, long long>> m_recentInquiries; // (txid, round, bucket, interface) key, time // per interface, refreshed with the interfaces
    AddressApplier m_applier;
    uint16_t m_holdSeconds;
    long long m_nextPurgeMs = 0;
};

} // namespace vrelagent
