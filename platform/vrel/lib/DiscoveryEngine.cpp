#include "DiscoveryEngine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include "InquiryPlanner.h"
#include "RecordBuilder.h"

namespace vrelp {

namespace {

constexpr size_t kQueueCapacity = 1 << 17;
constexpr int kReceiveBuffer = 8 << 20;
constexpr auto kInterfaceScan = std::chrono::seconds(2);
constexpr auto kExpirySweep = std::chrono::milliseconds(250);
constexpr uint16_t kMaxRounds = 10;
// Inquiries are sent this often in a row: one lost inquiry silences a
// whole bucket of devices, so it is worth a second copy (devices ignore it).
constexpr int kInquiryCopies = 2;

uint32_t newTxid()
{
    uint32_t t = 0;
    while (t == 0)
        t = randomU32();
    return t;
}

} // namespace

int errorFromStatus(Status status)
{
    switch (status) {
    case Status::Ok:
        return VREL_ERR_NONE;
    case Status::BadArgument:
        return VREL_ERR_BAD_ARGUMENT;
    case Status::WrongPassword:
        return VREL_ERR_WRONG_PASSWORD;
    case Status::Refused:
        return VREL_ERR_REFUSED;
    case Status::WrongCode:
        return VREL_ERR_WRONG_CODE;
    case Status::BadKey:
        return VREL_ERR_BAD_KEY_FILE;
    case Status::StaleChallenge:
        return VREL_ERR_TIMEOUT;
    case Status::Internal:
        break;
    }
    return VREL_ERR_INTERNAL;
}

DiscoveryEngine::DiscoveryEngine(const NetConfig &config, VREL_DEVICE_CALLBACK callback, void *user)
    : m_config(config)
    , m_queue(callback, user, kQueueCapacity)
    , m_debug(std::getenv("VREL_DEBUG") != nullptr)
{
    if (const char *w = std::getenv("VREL_INQUIRY_WINDOW_MS"))
        m_fixedWindowMs = uint32_t(std::clamp(std::atoi(w), 0, 10000));
}

DiscoveryEngine::~DiscoveryEngine() { stop(); }

int DiscoveryEngine::start()
{
    if (!cryptoInit())
        return VREL_ERR_INTERNAL;
    m_sessionKeys = makeKeyPair();
    int receiveBuffer = kReceiveBuffer;
    if (const char *b = std::getenv("VREL_RECEIVE_BUFFER"))
        receiveBuffer = std::clamp(std::atoi(b), 4096, 64 << 20); // for measurements
    if (!m_socket.open(m_config.group, m_config.clientPort, receiveBuffer))
        return VREL_ERR_NETWORK;
    m_socket.refreshInterfaces(m_config.interfaces);
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        m_socket.close();
        return VREL_ERR_INTERNAL;
    }
    const auto now = Clock::now();
    m_nextInterfaceScan = now + kInterfaceScan;
    m_nextExpiry = now + kExpirySweep;
    m_running = true;
    m_queue.start();
    m_receiver = std::thread(&DiscoveryEngine::receiveLoop, this);
    return VREL_ERR_NONE;
}

void DiscoveryEngine::stop()
{
    if (m_running.exchange(false)) {
        wake();
        m_pendingReply.notify_all();
    }
    if (m_receiver.joinable())
        m_receiver.join();
    m_queue.stop();
    {
        std::lock_guard<std::mutex> lock(m_socketMutex);
        m_socket.close();
    }
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
        m_wakeFd = -1;
    }
    wipe(m_sessionKeys.secretKey.data(), m_sessionKeys.secretKey.size());
}

void DiscoveryEngine::wake()
{
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(m_wakeFd, &one, sizeof one);
    }
}

std::vector<unsigned> DiscoveryEngine::interfaces()
{
    std::lock_guard<std::mutex> lock(m_socketMutex);
    return {m_socket.joined().begin(), m_socket.joined().end()};
}

void DiscoveryEngine::sendTo(const std::vector<unsigned> &ifindexes, uint16_t port,
                             const std::vector<uint8_t> &datagram)
{
    std::lock_guard<std::mutex> lock(m_socketMutex);
    for (unsigned i : ifindexes)
        m_socket.sendOn(i, port, datagram.data(), datagram.size());
}

bool DiscoveryEngine::sendInquiry()
{
    if (!m_running)
        return false;
    std::vector<std::vector<uint8_t>> datagrams;
    {
        std::lock_guard<std::mutex> lock(m_tableMutex);
        InquirySession &s = m_inquiry;
        s = InquirySession();
        s.active = true;
        s.txid = newTxid();
        s.knownAtStart = m_table.size();
        s.windowMs = m_fixedWindowMs ? m_fixedWindowMs : firstWindowMs(s.knownAtStart);
        // Answers trickle in over the window; ask again once it has passed.
        s.nextRound = Clock::now() + std::chrono::milliseconds(s.windowMs + 150);
        datagrams = planInquiry(s.txid, 0, s.windowMs, {});
        if (m_debug)
            std::fprintf(stderr, "libVrel: inquiry %08x round 0: window %u ms, receive buffer %d bytes\n", s.txid,
                         unsigned(s.windowMs), m_socket.receiveBufferSize());
    }
    const std::vector<unsigned> ifs = interfaces();
    for (int copy = 0; copy < kInquiryCopies; ++copy)
        for (const auto &d : datagrams)
            sendTo(ifs, m_config.devicePort, d);
    wake();
    return !ifs.empty();
}

void DiscoveryEngine::receiveLoop()
{
    std::vector<uint8_t> buf(kMaxDatagram + 1);
    while (m_running) {
        auto now = Clock::now();
        runTimers(now);
        auto next = std::min(m_nextInterfaceScan, m_nextExpiry);
        {
            std::lock_guard<std::mutex> lock(m_tableMutex);
            if (m_inquiry.active)
                next = std::min(next, m_inquiry.nextRound);
        }
        const auto waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
        pollfd fds[2] = {{m_socket.fd(), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        const int rc = ::poll(fds, 2, int(std::clamp<long long>(waitMs + 1, 0, 1000)));
        if (rc <= 0)
            continue;
        if (fds[1].revents & POLLIN) {
            uint64_t v;
            [[maybe_unused]] ssize_t n = ::read(m_wakeFd, &v, sizeof v);
        }
        if (fds[0].revents & POLLIN) {
            // Drain everything queued before looking at the clock again:
            // a burst of answers must not sit in the kernel buffer.
            for (int i = 0; i < 4096 && m_running; ++i) {
                unsigned ifindex = 0;
                const long n = m_socket.receive(buf.data(), buf.size(), ifindex);
                if (n <= 0)
                    break;
                handleDatagram(buf.data(), size_t(n), ifindex);
            }
        }
    }
}

void DiscoveryEngine::runTimers(Clock::time_point now)
{
    if (now >= m_nextInterfaceScan) {
        std::lock_guard<std::mutex> lock(m_socketMutex);
        m_socket.refreshInterfaces(m_config.interfaces);
        m_nextInterfaceScan = now + kInterfaceScan;
    }
    if (now >= m_nextExpiry) {
        std::vector<DeviceInfo> gone;
        {
            std::lock_guard<std::mutex> lock(m_tableMutex);
            gone = m_table.expire(now);
        }
        for (const DeviceInfo &d : gone)
            deliver(d, VREL_EVENT_GONE);
        m_nextExpiry = now + kExpirySweep;
    }
    std::vector<std::vector<uint8_t>> datagrams;
    {
        std::lock_guard<std::mutex> lock(m_tableMutex);
        InquirySession &s = m_inquiry;
        if (!s.active || now < s.nextRound)
            return;
        const size_t newAnswers = s.heard.size() - s.heardAtLastRound;
        s.quietRounds = newAnswers == 0 ? s.quietRounds + 1 : 0;
        // Stop after three repeated rounds in a row that bring nobody new,
        // or after the last round. While nobody at all has answered, the
        // inquiry itself may have been lost: keep asking.
        if ((s.round >= 1 && s.quietRounds >= 3 && !s.heard.empty()) || s.round + 1 >= kMaxRounds) {
            if (m_debug)
                std::fprintf(stderr, "libVrel: inquiry %08x done after %u rounds, %zu answers\n", s.txid,
                             unsigned(s.round) + 1, s.heard.size());
            s.active = false;
            return;
        }
        s.heardAtLastRound = s.heard.size();
        ++s.round;
        const size_t missing = s.knownAtStart > s.heard.size() ? s.knownAtStart - s.heard.size() : 0;
        s.windowMs = m_fixedWindowMs ? m_fixedWindowMs : firstWindowMs(missing);
        s.nextRound = now + std::chrono::milliseconds(s.windowMs + 150);
        datagrams = planInquiry(s.txid, s.round, s.windowMs, std::vector<Mac>(s.heard.begin(), s.heard.end()));
        if (m_debug)
            std::fprintf(stderr, "libVrel: inquiry %08x round %u after %zu answers: %zu datagrams, window %u ms\n",
                         s.txid, unsigned(s.round), s.heard.size(), datagrams.size(), unsigned(s.windowMs));
    }
    const std::vector<unsigned> ifs = interfaces();
    for (int copy = 0; copy < kInquiryCopies; ++copy)
        for (const auto &d : datagrams)
            sendTo(ifs, m_config.devicePort, d);
}

void DiscoveryEngine::handleDatagram(const uint8_t *data, size_t size, unsigned ifindex)
{
    Reader r;
    if (!r.parseDatagram(data, size))
        return;
    switch (r.type()) {
    case MsgType::Info: {
        InfoMessage msg;
        if (readInfoMessage(r, msg))
            handleInfo(msg, r.txid(), ifindex);
        return;
    }
    case MsgType::Bye:
        handleBye(r);
        return;
    case MsgType::Challenge:
    case MsgType::Result: {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        auto it = m_pending.find(r.txid());
        // Bounded: a flood of forged replies cannot grow memory.
        if (it != m_pending.end() && it->second.replies.size() < 64) {
            it->second.replies.emplace_back(std::vector<uint8_t>(data, data + size), ifindex);
            m_pendingReply.notify_all();
        }
        return;
    }
    default:
        return; // requests of other clients
    }
}

void DiscoveryEngine::handleInfo(const InfoMessage &msg, uint32_t txid, unsigned ifindex)
{
    DeviceTable::Change change;
    {
        std::lock_guard<std::mutex> lock(m_tableMutex);
        change = m_table.update(msg.info, msg.holdSeconds, ifindex, Clock::now());
        if (change == DeviceTable::Change::Rejected)
            return;
        if (m_inquiry.active && msg.reason == InfoReason::Answer && txid == m_inquiry.txid)
            m_inquiry.heard.insert(msg.info.mac);
    }
    if (change == DeviceTable::Change::Found)
        deliver(msg.info, VREL_EVENT_FOUND);
    else if (change == DeviceTable::Change::Changed)
        deliver(msg.info, VREL_EVENT_CHANGED);
}

void DiscoveryEngine::handleBye(const Reader &r)
{
    Mac mac;
    std::string serial;
    if (!r.array(TagMac, mac) || !r.text(TagSerial, kMaxSerial, serial))
        return;
    DeviceInfo removed;
    {
        std::lock_guard<std::mutex> lock(m_tableMutex);
        Target t;
        t.hasMac = true;
        t.mac = mac;
        t.serial = serial;
        // Only the device itself says goodbye: MAC and serial must both match.
        if (!m_table.find(t) || !m_table.remove(mac, &removed))
            return;
    }
    deliver(removed, VREL_EVENT_GONE);
}

void DiscoveryEngine::deliver(const DeviceInfo &info, int event)
{
    VREL_CALLBACK_RECORD record;
    fillRecord(info, event, record);
    if (m_queue.push(record) || event == VREL_EVENT_GONE)
        return;
    // The program has fallen far behind. Forget the device so that its next
    // answer reports it afresh instead of losing it for good.
    std::lock_guard<std::mutex> lock(m_tableMutex);
    m_table.remove(info.mac);
}

bool DiscoveryEngine::exchange(uint32_t txid, const std::vector<uint8_t> &datagram,
                               const std::vector<unsigned> &ifindexes, Clock::time_point deadline,
                               const Accept &accept)
{
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        m_pending[txid] = Pending();
    }
    bool accepted = false;
    // Short at first: on a lossy link most of the budget goes to retries.
    auto interval = std::chrono::milliseconds(50);
    auto nextSend = Clock::now();
    std::unique_lock<std::mutex> lock(m_pendingMutex);
    while (m_running && !accepted) {
        const auto now = Clock::now();
        if (now >= deadline)
            break;
        if (now >= nextSend) {
            lock.unlock();
            sendTo(ifindexes, m_config.devicePort, datagram);
            lock.lock();
            nextSend = now + interval;
            interval = std::min(interval * 5 / 4, std::chrono::milliseconds(250));
        }
        m_pendingReply.wait_until(lock, std::min(nextSend, deadline), [&] {
            return !m_running || !m_pending[txid].replies.empty();
        });
        auto &replies = m_pending[txid].replies;
        while (!replies.empty() && !accepted) {
            auto reply = std::move(replies.front());
            replies.pop_front();
            lock.unlock();
            accepted = accept(reply.first, reply.second);
            lock.lock();
        }
    }
    m_pending.erase(txid);
    return accepted;
}

int DiscoveryEngine::runCommand(const Target &target, CommandRequest &request, CommandResult &result)
{
    if (!m_running)
        return VREL_ERR_NOT_STARTED;
    const auto deadline = Clock::now() + kCommandBudget;
    bool known = false;
    Key32 pinned{};
    std::vector<unsigned> ifs;
    {
        std::lock_guard<std::mutex> lock(m_tableMutex);
        if (const DeviceTable::Entry *e = m_table.find(target)) {
            known = true;
            pinned = e->info.publicKey;
            if (e->ifindex)
                ifs.push_back(e->ifindex);
        }
    }
    if (ifs.empty())
        ifs = interfaces();
    if (ifs.empty())
        return VREL_ERR_NETWORK;

    for (int attempt = 0; attempt < 3; ++attempt) {
        // 1. A fresh challenge from the device; it makes the command below
        //    usable once only.
        const uint32_t challengeTxid = newTxid();
        Writer ask(MsgType::ChallengeRequest, challengeTxid);
        writeTarget(ask, target);
        Mac mac{};
        Key32 devicePublic{};
        Challenge challenge{};
        unsigned replyIf = 0;
        const bool gotChallenge = exchange(
            challengeTxid, ask.data(), ifs, deadline, [&](const std::vector<uint8_t> &d, unsigned ifindex) {
                Reader r;
                std::string serial;
                if (!r.parseDatagram(d.data(), d.size()) || r.type() != MsgType::Challenge
                    || r.txid() != challengeTxid)
                    return false;
                if (!r.array(TagMac, mac) || !r.text(TagSerial, kMaxSerial, serial)
                    || !r.array(TagChallenge, challenge) || !r.array(TagPublicKey, devicePublic))
                    return false;
                if (!targetMatches(target, mac, serial))
                    return false;
                if (known && devicePublic != pinned)
                    return false; // not the device we have been talking to
                replyIf = ifindex;
                return true;
            });
        if (!gotChallenge)
            return known ? VREL_ERR_TIMEOUT : VREL_ERR_NOT_FOUND;

        // 2. The command, sealed to the device's key.
        const uint32_t commandTxid = newTxid();
        request.txid = commandTxid;
        request.challenge = challenge;
        request.mac = mac;
        std::vector<uint8_t> plain = encodeCommand(request);
        if (plain.empty())
            return VREL_ERR_BAD_ARGUMENT;
        const std::vector<uint8_t> sealed = seal(plain, devicePublic, m_sessionKeys.secretKey);
        wipe(plain.data(), plain.size());
        Writer cmd(MsgType::Command, commandTxid);
        cmd.array(TagMac, mac);
        cmd.array(TagClientKey, m_sessionKeys.publicKey);
        cmd.bytes(TagSealed, sealed.data(), sealed.size());
        if (sealed.empty() || !cmd.ok())
            return VREL_ERR_BAD_ARGUMENT;
        const std::vector<unsigned> commandIfs = replyIf ? std::vector<unsigned>{replyIf} : ifs;
        const bool gotResult = exchange(
            commandTxid, cmd.data(), commandIfs, deadline, [&](const std::vector<uint8_t> &d, unsigned) {
                Reader r;
                Mac from;
                Span box;
                std::vector<uint8_t> opened;
                if (!r.parseDatagram(d.data(), d.size()) || r.type() != MsgType::Result || r.txid() != commandTxid)
                    return false;
                if (!r.array(TagMac, from) || from != mac || !r.get(TagSealed, box))
                    return false;
                if (!open(box.data, box.size, devicePublic, m_sessionKeys.secretKey, opened))
                    return false;
                CommandResult res;
                const bool ok = decodeResult(opened.data(), opened.size(), res) && res.txid == commandTxid
                    && res.op == request.op;
                wipe(opened.data(), opened.size());
                if (ok)
                    result = res;
                return ok;
            });
        if (!gotResult)
            return VREL_ERR_TIMEOUT;
        if (result.status == Status::StaleChallenge && Clock::now() < deadline)
            continue; // the device restarted between both steps
        return errorFromStatus(result.status);
    }
    return VREL_ERR_TIMEOUT;
}

} // namespace vrelp
