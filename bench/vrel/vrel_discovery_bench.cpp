// Time from VREL_SendInquiry until the callback has delivered every device of
// one agent playing a large fleet, against a bare UDP receiver that counts
// the same answers in the same run. Runs in a private network namespace.
//
//   vrel_discovery_bench [--devices N] [--runs R] [--window MS]      (root)
//
// --window fixes the devices' answer window (VREL_INQUIRY_WINDOW_MS); 1 makes
// the whole fleet answer in one burst, which no default receive buffer holds.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Vrel.h"

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<int> g_found{0};
std::atomic<long long> g_lastFoundNs{0};
Clock::time_point g_t0;

void VREL_CALL onDevice(const VREL_CALLBACK_RECORD *record, void *)
{
    if (record->nEvent == VREL_EVENT_FOUND) {
        g_found.fetch_add(1);
        g_lastFoundNs = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - g_t0).count();
    }
}

int run(const std::string &command) { return std::system(command.c_str()); }

pid_t spawn(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

// Counts distinct devices answering an inquiry, with nothing but a socket
// with the system's default receive buffer.
struct BareReceiver {
    int fd = -1;
    std::atomic<int> count{0};
    std::atomic<long long> lastNs{0};
    std::atomic<bool> stop{false};
    int bufferBytes = 0;

    bool open(uint16_t port)
    {
        fd = socket(AF_INET, SOCK_DGRAM, 0);
        const int one = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        setsockopt(fd, SOL_SOCKET, SO_REUSEPORT, &one, sizeof one);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        inet_pton(AF_INET, "224.0.0.199", &a.sin_addr);
        if (bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0)
            return false;
        ip_mreqn m{};
        m.imr_multiaddr = a.sin_addr;
        m.imr_ifindex = 1; // lo
        if (setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m) != 0)
            return false;
        socklen_t len = sizeof bufferBytes;
        getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bufferBytes, &len);
        timeval tv{0, 100000};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        return true;
    }

    void loop(size_t expected)
    {
        std::set<std::string> macs;
        unsigned char buf[2048];
        while (!stop && macs.size() < expected) {
            const ssize_t n = recv(fd, buf, sizeof buf, 0);
            if (n < 12 || memcmp(buf, "VRLP", 4) != 0 || buf[5] != 2)
                continue;
            std::string mac;
            bool answer = false;
            for (ssize_t p = 12; p + 3 <= n;) {
                const int tag = buf[p];
                const int len = (buf[p + 1] << 8) | buf[p + 2];
                if (p + 3 + len > n)
                    break;
                if (tag == 1 && len == 6)
                    mac.assign(reinterpret_cast<char *>(buf + p + 3), 6);
                if (tag == 22 && len == 1)
                    answer = buf[p + 3] == 1;
                p += 3 + len;
            }
            if (answer && !mac.empty() && macs.insert(mac).second) {
                count = int(macs.size());
                lastNs = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - g_t0).count();
            }
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    int devices = 5000, runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!strcmp(argv[i], "--devices"))
            devices = std::atoi(argv[i + 1]);
        else if (!strcmp(argv[i], "--runs"))
            runs = std::atoi(argv[i + 1]);
        else if (!strcmp(argv[i], "--window"))
            setenv("VREL_INQUIRY_WINDOW_MS", argv[i + 1], 1);
    }
    if (geteuid() != 0 || unshare(CLONE_NEWNET) != 0) {
        std::fprintf(stderr, "needs root: runs in a network namespace of its own\n");
        return 77;
    }
    if (run("ip link set lo up && ip link set lo multicast on && ip route add 224.0.0.0/4 dev lo") != 0)
        return 1;
    char dir[] = "/tmp/vrel-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string fleet = std::string(dir) + "/fleet.json";
    if (run(std::string(VREL_DEVICE_PATH) + " --generate " + std::to_string(devices) + " --out " + fleet) != 0)
        return 1;
    // Heartbeats out of the way: only answers to the inquiry are measured.
    const pid_t agent = spawn({VREL_DEVICE_PATH, "--state", fleet, "--heartbeat", "3600"});
    if (agent < 0)
        return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(2500)); // its start-up hellos are over

    const char *window = getenv("VREL_INQUIRY_WINDOW_MS");
    std::printf("devices: %d, runs: %d, answer window: %s\n", devices, runs, window ? window : "scaled by the library");
    std::printf("%-4s %14s %14s %8s %12s\n", "run", "libVrel ms", "bare UDP ms", "ratio", "bare count");
    double sumLib = 0, sumBare = 0;
    for (int r = 0; r < runs; ++r) {
        BareReceiver bare;
        if (!bare.open(41795))
            return 1;
        g_found = 0;
        if (VREL_Start_V30(&onDevice, 1, nullptr) != 1)
            return 1;
        g_t0 = Clock::now();
        std::thread counter([&] { bare.loop(size_t(devices)); });
        VREL_SendInquiry();
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (g_found < devices && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        // Give the bare receiver a fair chance to finish; what it lost by
        // then is lost for good.
        const auto bareDeadline = std::min(deadline, Clock::now() + std::chrono::seconds(3));
        while (bare.count < devices && Clock::now() < bareDeadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        bare.stop = true;
        counter.join();
        close(bare.fd);
        VREL_Stop();
        const double lib = g_found >= devices ? g_lastFoundNs / 1e6 : -1;
        const double b = bare.lastNs / 1e6;
        std::printf("%-4d %14.1f %14.1f %8.2f %7d/%d\n", r + 1, lib, b, b > 0 ? lib / b : 0.0, bare.count.load(),
                    devices);
        if (r == 0)
            std::printf("     (bare receiver's buffer: %d bytes; libVrel found %d)\n", bare.bufferBytes, g_found.load());
        sumLib += lib;
        sumBare += b;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    std::printf("mean %14.1f %14.1f %8.2f\n", sumLib / runs, sumBare / runs, sumBare > 0 ? sumLib / sumBare : 0.0);
    kill(agent, SIGTERM);
    waitpid(agent, nullptr, 0);
    run(std::string("rm -rf ") + dir);
    return 0;
}
