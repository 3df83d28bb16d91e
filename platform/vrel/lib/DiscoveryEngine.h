#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "CallbackQueue.h"
#include "Commands.h"
#include "DeviceTable.h"
#include "Net.h"
#include "Seal.h"
#include "Vrel.h"

namespace vrelp {

// One running discovery: the socket, the receive thread that keeps the
// device table and answers waiting commands, and the callback queue.
class DiscoveryEngine {
public:
    DiscoveryEngine(const NetConfig &config, VREL_DEVICE_CALLBACK callback, void *user);
    ~DiscoveryEngine();
    DiscoveryEngine(const DiscoveryEngine &) = delete;
    DiscoveryEngine &operator=(const DiscoveryEngine &) = delete;

    // Returns a VREL_ERR_ code.
    int start();
    void stop();
    // True on the thread that runs the program's callback.
    bool onCallbackThread() const { return m_queue.onDeliveryThread(); }
    bool sendInquiry();
    // Carries one command to the device named by target; fills result on
    // success. Returns a VREL_ERR_ code. Bounded by kCommandBudget.
    int runCommand(const Target &target, CommandRequest &request, CommandResult &result);

    static constexpr std::chrono::milliseconds kCommandBudget{2600};

    // One received datagram, as the receive thread hands it over (public
    // for the fuzz target, which needs no socket).
    void handleDatagram(const uint8_t *data, size_t size, unsigned ifindex);

private:
    using Accept = std::function<bool(const std::vector<uint8_t> &datagram, unsigned ifindex)>;

    struct Pending {
        std::deque<std::pair<std::vector<uint8_t>, unsigned>> replies;
    };

    struct InquirySession {
        bool active = false;
        uint32_t txid = 0;
        uint16_t round = 0;
        uint32_t windowMs = 0;
        size_t knownAtStart = 0;
        size_t heardAtLastRound = 0;
        int quietRounds = 0;
        Clock::time_point nextRound;
        std::set<Mac> heard;
    };

    void receiveLoop();
    void handleInfo(const InfoMessage &msg, uint32_t txid, unsigned ifindex);
    void handleBye(const Reader &r);
    void runTimers(Clock::time_point now);
    void deliver(const DeviceInfo &info, int event);
    std::vector<unsigned> interfaces();
    void sendTo(const std::vector<unsigned> &ifindexes, uint16_t port, const std::vector<uint8_t> &datagram);
    bool exchange(uint32_t txid, const std::vector<uint8_t> &datagram, const std::vector<unsigned> &ifindexes,
                  Clock::time_point deadline, const Accept &accept);
    void wake();

    NetConfig m_config;
    CallbackQueue m_queue;
    KeyPair m_sessionKeys;

    std::mutex m_socketMutex; // sending and interface membership
    MulticastSocket m_socket;
    int m_wakeFd = -1;
    std::thread m_receiver;
    std::atomic<bool> m_running{false};

    std::mutex m_tableMutex;
    DeviceTable m_table;
    InquirySession m_inquiry;

    std::mutex m_pendingMutex;
    std::condition_variable m_pendingReply;
    std::map<uint32_t, Pending> m_pending;

    bool m_debug = false; // VREL_DEBUG: protocol progress on stderr, never a secret
    uint32_t m_fixedWindowMs = 0; // VREL_INQUIRY_WINDOW_MS: answer window for measurements
    Clock::time_point m_nextInterfaceScan;
    Clock::time_point m_nextExpiry;
};

int errorFromStatus(Status status);

} // namespace vrelp
