#include "DeviceAgent.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include <poll.h>

#include "DeviceRules.h"
#include "FleetFile.h"
#include "Seal.h"

namespace vrelagent {

using namespace vrelp;

namespace {

volatile std::sig_atomic_t g_stop = 0;

constexpr long long kChallengeLifetimeMs = 20000;
constexpr long long kResultLifetimeMs = 30000;
constexpr size_t kChallengesPerDevice = 16;
constexpr size_t kMaxCachedResults = 4096;

} // namespace

void DeviceAgent::requestStop() { g_stop = 1; }

DeviceAgent::DeviceAgent(AgentOptions options, std::vector<DeviceState> devices)
    : m_options(std::move(options))
    , m_devices(std::move(devices))
    , m_challenges(m_devices.size())
    , m_applier(m_options.applyInterface)
    , m_holdSeconds(uint16_t(std::min(65535, 3 * m_options.heartbeatSeconds + 2)))
{
    for (size_t i = 0; i < m_devices.size(); ++i) {
        m_byMac[m_devices[i].info.mac] = i;
        m_bySerial[m_devices[i].info.serial] = i;
    }
}

long long DeviceAgent::nowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void DeviceAgent::log(const std::string &line) const
{
    if (m_options.verbose)
        std::fprintf(stderr, "vrel-device: %s\n", line.c_str());
}

int DeviceAgent::run()
{
    std::string error;
    if (!m_socket.open(m_options.net.group, m_options.net.devicePort, 4 << 20, &error)) {
        std::fprintf(stderr, "vrel-device: cannot open the socket: %s\n", error.c_str());
        return 1;
    }
    if (m_applier.enabled() && !m_devices.empty() && !m_applier.apply(m_devices.front().info, error))
        std::fprintf(stderr, "vrel-device: %s\n", error.c_str());
    m_socket.refreshInterfaces(m_options.net.interfaces);
    if (m_options.zeroSource && !m_zeroSource.open())
        std::fprintf(stderr, "vrel-device: no packet socket (CAP_NET_RAW): sending with the interface's address\n");
    if (m_socket.joined().empty())
        std::fprintf(stderr, "vrel-device: no multicast-capable interface yet; waiting for one\n");

    const long long start = nowMs();
    const long long period = m_options.heartbeatSeconds * 1000LL;
    for (size_t i = 0; i < m_devices.size(); ++i) {
        // Say hello once, spread over a short while, then beat at a random phase.
        m_events.push({start + static_cast<long long>(randomU32() % 1000), Kind::Announce, i, 0, 0});
        m_events.push({start + 1000 + static_cast<long long>(randomU32() % uint32_t(period)), Kind::Heartbeat, i, 0, 0});
    }
    std::fprintf(stderr, "vrel-device: playing %zu device(s) on %zu interface(s)\n", m_devices.size(),
                 m_socket.joined().size());

    std::vector<uint8_t> buf(kMaxDatagram + 1);
    long long nextScan = start + 2000;
    while (!g_stop) {
        const long long now = nowMs();
        runDue(now);
        if (now >= nextScan) {
            m_socket.refreshInterfaces(m_options.net.interfaces);
            m_loopback.clear();
            nextScan = now + 2000;
        }
        long long wait = 200;
        if (!m_events.empty())
            wait = std::min(wait, std::max(0LL, m_events.top().atMs - now));
        pollfd pfd{m_socket.fd(), POLLIN, 0};
        if (::poll(&pfd, 1, int(wait)) <= 0)
            continue;
        for (int n = 0; n < 1024; ++n) {
            unsigned ifindex = 0;
            const long len = m_socket.receive(buf.data(), buf.size(), ifindex);
            if (len <= 0)
                break;
            handleDatagram(buf.data(), size_t(len), ifindex);
        }
    }
    sendBye();
    return 0;
}

void DeviceAgent::runDue(long long now)
{
    while (!m_events.empty() && m_events.top().atMs <= now) {
        const Event e = m_events.top();
        m_events.pop();
        switch (e.kind) {
        case Kind::Answer:
            sendInfo(e.device, InfoReason::Answer, e.txid, e.ifindex);
            break;
        case Kind::Announce:
            sendInfo(e.device, InfoReason::Announce, 0, 0);
            break;
        case Kind::Heartbeat:
            sendInfo(e.device, InfoReason::Heartbeat, 0, 0);
            m_events.push({now + m_options.heartbeatSeconds * 1000LL, Kind::Heartbeat, e.device, 0, 0});
            break;
        }
    }
    // Forget results nobody can ask for again (once a second is enough).
    if (now < m_nextPurgeMs)
        return;
    m_nextPurgeMs = now + 1000;
    for (auto it = m_results.begin(); it != m_results.end();) {
        if (now - it->second.atMs > kResultLifetimeMs)
            it = m_results.erase(it);
        else
            ++it;
    }
}

void DeviceAgent::send(const std::vector<uint8_t> &datagram, unsigned ifindex)
{
    auto sendOne = [&](unsigned i) {
        // A zero source passes the clients' reverse-path filter whatever our
        // address is; on loopback the ordinary socket does the same job.
        if (m_zeroSource.isOpen()) {
            auto known = m_loopback.find(i);
            const bool loopback = known != m_loopback.end() ? known->second : (m_loopback[i] = isLoopbackInterface(i));
            if (!loopback
                && m_zeroSource.send(i, m_options.net.group, m_options.net.devicePort, m_options.net.clientPort,
                                     datagram.data(), datagram.size()))
                return;
        }
        m_socket.sendOn(i, m_options.net.clientPort, datagram.data(), datagram.size());
    };
    if (ifindex) {
        sendOne(ifindex);
        return;
    }
    const std::set<unsigned> joined = m_socket.joined();
    for (unsigned i : joined)
        sendOne(i);
}

void DeviceAgent::sendInfo(size_t device, InfoReason reason, uint32_t txid, unsigned ifindex)
{
    Writer w(MsgType::Info, txid);
    writeDeviceInfo(w, m_devices[device].info);
    w.u8(TagReason, uint8_t(reason));
    w.u16(TagHoldSeconds, m_holdSeconds);
    if (w.ok())
        send(w.data(), ifindex);
}

void DeviceAgent::sendBye()
{
    for (const DeviceState &d : m_devices) {
        Writer w(MsgType::Bye, 0);
        w.array(TagMac, d.info.mac);
        w.text(TagSerial, d.info.serial);
        send(w.data(), 0);
    }
}

void DeviceAgent::handleDatagram(const uint8_t *data, size_t size, unsigned ifindex)
{
    Reader r;
    if (!r.parseDatagram(data, size))
        return;
    switch (r.type()) {
    case MsgType::Inquiry:
        onInquiry(r, ifindex);
        break;
    case MsgType::ChallengeRequest:
        onChallengeRequest(r, ifindex);
        break;
    case MsgType::Command:
        onCommand(r, ifindex);
        break;
    default:
        break; // what devices send: not for us
    }
}

void DeviceAgent::onInquiry(const Reader &r, unsigned ifindex)
{
    InquiryMessage msg;
    if (!readInquiry(r, msg))
        return;
    const long long now = nowMs();
    // Clients send each inquiry twice; answer it once per interface.
    const uint64_t key = (uint64_t(r.txid()) << 32) ^ (uint64_t(msg.round) << 24) ^ (uint64_t(msg.bucket) << 8)
        ^ uint64_t(ifindex) ^ (msg.hasTargetMac ? uint64_t(macBucket(msg.targetMac, 0xFFFF)) << 40 : 0);
    while (!m_recentInquiries.empty()
           && (now - m_recentInquiries.front().second > 5000 || m_recentInquiries.size() > 4096))
        m_recentInquiries.pop_front();
    for (const auto &seen : m_recentInquiries) {
        if (seen.first == key)
            return;
    }
    m_recentInquiries.emplace_back(key, now);
    // Every device answers within the window anyway; a flood of inquiries
    // must not pile up answers without bound.
    const size_t maxPending = std::max<size_t>(100000, m_devices.size() * 8);
    auto schedule = [&](size_t i) {
        if (m_events.size() >= maxPending)
            return;
        const long long delay = msg.windowMs ? static_cast<long long>(randomU32() % (msg.windowMs + 1)) : 0;
        m_events.push({now + delay, Kind::Answer, i, r.txid(), ifindex});
    };
    if (msg.hasTargetMac) {
        auto it = m_byMac.find(msg.targetMac);
        if (it != m_byMac.end() && inquiryAddresses(msg, m_devices[it->second].info.mac, m_devices[it->second].info.serial))
            schedule(it->second);
        return;
    }
    for (size_t i = 0; i < m_devices.size(); ++i) {
        if (inquiryAddresses(msg, m_devices[i].info.mac, m_devices[i].info.serial))
            schedule(i);
    }
}

void DeviceAgent::onChallengeRequest(const Reader &r, unsigned ifindex)
{
    Target target;
    if (!readTarget(r, target))
        return;
    size_t index = m_devices.size();
    if (target.hasMac) {
        auto it = m_byMac.find(target.mac);
        if (it != m_byMac.end())
            index = it->second;
    } else {
        auto it = m_bySerial.find(target.serial);
        if (it != m_bySerial.end())
            index = it->second;
    }
    if (index >= m_devices.size() || !targetMatches(target, m_devices[index].info.mac, m_devices[index].info.serial))
        return;
    const long long now = nowMs();
    auto &issued = m_challenges[index];
    while (!issued.empty() && now - issued.front().issuedMs > kChallengeLifetimeMs)
        issued.pop_front();
    // A repeated request gets the same challenge: retransmissions are harmless.
    const IssuedChallenge *c = nullptr;
    for (const IssuedChallenge &i : issued) {
        if (i.requestTxid == r.txid())
            c = &i;
    }
    if (!c) {
        if (issued.size() >= kChallengesPerDevice)
            issued.pop_front();
        IssuedChallenge fresh{r.txid(), {}, now};
        randomBytes(fresh.value.data(), fresh.value.size());
        issued.push_back(fresh);
        c = &issued.back();
    }
    const DeviceInfo &info = m_devices[index].info;
    Writer w(MsgType::Challenge, r.txid());
    w.array(TagMac, info.mac);
    w.text(TagSerial, info.serial);
    w.array(TagChallenge, c->value);
    w.array(TagPublicKey, info.publicKey);
    send(w.data(), ifindex);
}

void DeviceAgent::sendResult(size_t device, const Key32 &clientKey, const CommandResult &result, unsigned ifindex,
                             bool cache)
{
    const DeviceState &d = m_devices[device];
    std::vector<uint8_t> plain = encodeResult(result);
    const std::vector<uint8_t> sealed = seal(plain, clientKey, d.identityKey);
    wipe(plain.data(), plain.size());
    Writer w(MsgType::Result, result.txid);
    w.array(TagMac, d.info.mac);
    w.bytes(TagSealed, sealed.data(), sealed.size());
    if (!w.ok() || sealed.empty())
        return;
    if (cache) {
        if (m_results.size() >= kMaxCachedResults)
            m_results.erase(m_results.begin());
        m_results[{clientKey, result.txid}] = {w.data(), nowMs()};
    }
    send(w.data(), ifindex);
}

bool DeviceAgent::persist(std::string &error)
{
    if (m_options.pauseBeforeSaveMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_options.pauseBeforeSaveMs));
    return FleetFile::save(m_options.statePath, m_devices, error);
}

void DeviceAgent::onCommand(const Reader &r, unsigned ifindex)
{
    Mac mac;
    Key32 clientKey;
    Span box;
    if (!r.array(TagMac, mac) || !r.array(TagClientKey, clientKey) || !r.get(TagSealed, box))
        return;
    auto it = m_byMac.find(mac);
    if (it == m_byMac.end())
        return;
    const size_t index = it->second;
    DeviceState &d = m_devices[index];

    // A retransmission, or a replay, of a command already carried out gets
    // the same answer again and changes nothing.
    auto cached = m_results.find({clientKey, r.txid()});
    if (cached != m_results.end()) {
        send(cached->second.datagram, ifindex);
        return;
    }

    std::vector<uint8_t> plain;
    CommandRequest req;
    const bool opened = open(box.data, box.size, clientKey, d.identityKey, plain);
    const bool decoded = opened && decodeCommand(plain.data(), plain.size(), req);
    wipe(plain.data(), plain.size());
    if (!decoded || req.txid != r.txid() || req.mac != d.info.mac)
        return; // forged or damaged: no answer at all

    CommandResult result;
    result.txid = req.txid;
    result.op = req.op;

    // The challenge must be one this device issued, still fresh and unused.
    const long long now = nowMs();
    auto &issued = m_challenges[index];
    auto used = issued.end();
    for (auto c = issued.begin(); c != issued.end(); ++c) {
        if (c->value == req.challenge && now - c->issuedMs <= kChallengeLifetimeMs)
            used = c;
    }
    if (used == issued.end()) {
        result.status = Status::StaleChallenge;
        sendResult(index, clientKey, result, ifindex, false);
        return;
    }
    issued.erase(used);

    const DeviceState before = d;
    const RuleOutcome outcome = applyCommand(d, req, result, now);
    result.status = outcome.status;
    if (outcome.stateChanged) {
        std::string error;
        if (!persist(error)) {
            // Not stored, not done: the device keeps its old state.
            std::fprintf(stderr, "vrel-device: %s\n", error.c_str());
            const int failed = d.failedAttempts;
            d = before;
            d.failedAttempts = failed;
            result.status = Status::Internal;
            result.deviceKey.clear();
        }
    }
    log("device " + d.info.serial + ": command " + std::to_string(int(req.op)) + " -> status "
        + std::to_string(int(result.status)));
    sendResult(index, clientKey, result, ifindex, true);
    wipe(result.deviceKey.data(), result.deviceKey.size());

    if (result.status == Status::Ok && d.info != before.info) {
        if (outcome.addressChanged && m_applier.enabled() && index == 0) {
            std::string error;
            if (!m_applier.apply(d.info, error))
                std::fprintf(stderr, "vrel-device: %s\n", error.c_str());
        }
        // Tell every listener at once, and once more a little later in case
        // the first one is lost.
        sendInfo(index, InfoReason::Announce, 0, 0);
        m_events.push({nowMs() + 400, Kind::Announce, index, 0, 0});
    }
}

} // namespace vrelagent
