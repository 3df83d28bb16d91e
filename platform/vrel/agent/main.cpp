// vrel-device: plays one or many network video devices from a state file.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DeviceAgent.h"
#include "FleetFile.h"
#include "Seal.h"

using namespace vrelagent;

namespace {

const char kHelp[] = R"(Usage: vrel-device --state FILE [options]
       vrel-device --generate N --out FILE [generator options]

Plays one or many network video devices on the discovery protocol, from a
state file, until it is stopped. On SIGTERM or SIGINT every device says
goodbye and the agent exits. Each confirmed change (network parameters,
activation, passwords, key files) is written to the state file before it
is confirmed to the client: the file is replaced atomically (written,
synced, renamed), so a crash or kill never loses a confirmed change and
never leaves a damaged file.

Running:
  --state FILE         the fleet's state file (JSON, see below); required
  --iface NAMES        serve only these interfaces (comma-separated);
                       default: every multicast-capable interface, also
                       ones that appear later. Environment: VREL_IFACE
  --group ADDRESS      IPv4 multicast group (default 224.0.0.199).
                       Environment: VREL_GROUP
  --port N             device port; clients listen on N+1 (default 41794).
                       Environment: VREL_PORT
  --heartbeat SECONDS  interval of the "still here" announcements
                       (default 10); clients consider a device gone after
                       3 x SECONDS + 2 without hearing from it
  --apply-iface NAME   give interface NAME the first device's IPv4 address,
                       mask and gateway at start and after every change
                       (uses "ip"; meant for a network namespace of its own)
  --no-zero-source     send with the interface's own address. By default,
                       when the agent may open a packet socket (CAP_NET_RAW),
                       it sends with source address 0.0.0.0 on every
                       interface but loopback: clients whose host has no
                       route to the device's subnet would otherwise drop its
                       datagrams in their reverse-path filter. Such frames
                       are not looped back, so a client on the same host
                       hears the agent only on loopback unless this is given
  --verbose            one line per command on standard error (never a secret)
  --pause-before-save MS
                       testing aid: wait MS milliseconds before storing a
                       change, to exercise a kill in the middle of a command
  --help               this text

Generating a state file:
  --generate N         write N devices to --out FILE and exit
  --out FILE           where to write them
  --serial-prefix P    serial numbers P00000001, P00000002, ... (default VR)
  --base-ip A          first IPv4 address (default 192.168.1.64), then A+1, ...
  --prefix-length L    subnet mask length (default 24)
  --activation MODE    all, none or mixed (every third device not activated;
                       default mixed)
  --password TEXT      administrator password of the activated devices
                       (default Admin12345)
  --mac-seed N         third byte of the generated MAC addresses (0-255),
                       so fleets of several agents do not collide (default 1)

State file: {"devices": [ {...}, ... ]}, one object per device with
  serial (text, up to 47), mac ("aa-bb-cc-dd-ee-ff"), deviceType (number),
  description (up to 23), softwareVersion, dspVersion, startTime (up to 47),
  channels, ipv4, mask, gateway, ipv6, ipv6Gateway, ipv6Prefix (0-128),
  port, httpPort, capabilities (bits: 1 IPv6, 2 IPv6 changeable, 4 DHCP,
  32 key file reset, 64 key file reset with new password), dhcp (bool),
  activated (bool), password, defaultPassword, securityCode, deviceKey
  (content of the exported key file; renewed after each use) and
  identityKey (the device's secret key, base64; created when missing).
  The file holds the devices' secrets: keep it private (it is written with
  mode 0600).

Device rules: changing network parameters needs the administrator password
of an activated device; only a device that is not activated can be
activated; a wrong security code or key file is refused; a key file works
once; five wrong secrets in a row lock a device's secret checks for 60 s.
)";

bool value(int &i, int argc, char **argv, std::string &out)
{
    if (i + 1 >= argc) {
        std::fprintf(stderr, "vrel-device: %s needs a value\n", argv[i]);
        return false;
    }
    out = argv[++i];
    return true;
}

bool integer(const std::string &text, long min, long max, long &out)
{
    char *end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && end && !*end && out >= min && out <= max;
}

void onSignal(int) { DeviceAgent::requestStop(); }

} // namespace

int main(int argc, char **argv)
{
    if (!vrelp::cryptoInit()) {
        std::fprintf(stderr, "vrel-device: libsodium failed to initialise\n");
        return 1;
    }
    AgentOptions options;
    std::string error;
    if (!vrelp::NetConfig::fromEnvironment(options.net, &error)) {
        std::fprintf(stderr, "vrel-device: %s\n", error.c_str());
        return 2;
    }
    FleetFile::GenerateOptions gen;
    long generate = 0;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        std::string v;
        long n = 0;
        if (a == "--help" || a == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (a == "--verbose") {
            options.verbose = true;
        } else if (a == "--no-zero-source") {
            options.zeroSource = false;
        } else if (a == "--state") {
            if (!value(i, argc, argv, options.statePath))
                return 2;
        } else if (a == "--iface") {
            if (!value(i, argc, argv, v))
                return 2;
            options.net.setInterfaces(v);
        } else if (a == "--group") {
            if (!value(i, argc, argv, v) || !options.net.setGroup(v)) {
                std::fprintf(stderr, "vrel-device: --group needs an IPv4 multicast address\n");
                return 2;
            }
        } else if (a == "--port") {
            if (!value(i, argc, argv, v) || !options.net.setPort(v)) {
                std::fprintf(stderr, "vrel-device: --port needs a number from 1 to 65534\n");
                return 2;
            }
        } else if (a == "--heartbeat") {
            if (!value(i, argc, argv, v) || !integer(v, 1, 3600, n)) {
                std::fprintf(stderr, "vrel-device: --heartbeat needs 1 to 3600 seconds\n");
                return 2;
            }
            options.heartbeatSeconds = int(n);
        } else if (a == "--apply-iface") {
            if (!value(i, argc, argv, options.applyInterface))
                return 2;
        } else if (a == "--pause-before-save") {
            if (!value(i, argc, argv, v) || !integer(v, 0, 60000, n)) {
                std::fprintf(stderr, "vrel-device: --pause-before-save needs 0 to 60000 ms\n");
                return 2;
            }
            options.pauseBeforeSaveMs = int(n);
        } else if (a == "--generate") {
            if (!value(i, argc, argv, v) || !integer(v, 1, 1000000, generate)) {
                std::fprintf(stderr, "vrel-device: --generate needs a device count\n");
                return 2;
            }
        } else if (a == "--out") {
            if (!value(i, argc, argv, out))
                return 2;
        } else if (a == "--serial-prefix") {
            if (!value(i, argc, argv, gen.serialPrefix) || gen.serialPrefix.size() > 30)
                return 2;
        } else if (a == "--base-ip") {
            if (!value(i, argc, argv, gen.baseAddress))
                return 2;
        } else if (a == "--prefix-length") {
            if (!value(i, argc, argv, v) || !integer(v, 1, 30, n))
                return 2;
            gen.prefixLength = int(n);
        } else if (a == "--activation") {
            if (!value(i, argc, argv, gen.activation)
                || (gen.activation != "all" && gen.activation != "none" && gen.activation != "mixed")) {
                std::fprintf(stderr, "vrel-device: --activation is all, none or mixed\n");
                return 2;
            }
        } else if (a == "--password") {
            if (!value(i, argc, argv, gen.password))
                return 2;
        } else if (a == "--mac-seed") {
            if (!value(i, argc, argv, v) || !integer(v, 0, 255, n))
                return 2;
            gen.macSeed = unsigned(n);
        } else {
            std::fprintf(stderr, "vrel-device: unknown option %s (see --help)\n", a.c_str());
            return 2;
        }
    }

    if (generate > 0) {
        if (out.empty()) {
            std::fprintf(stderr, "vrel-device: --generate needs --out FILE\n");
            return 2;
        }
        gen.count = int(generate);
        if (!FleetFile::save(out, FleetFile::generate(gen), error)) {
            std::fprintf(stderr, "vrel-device: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (options.statePath.empty()) {
        std::fprintf(stderr, "vrel-device: --state FILE is required (see --help)\n");
        return 2;
    }
    std::vector<DeviceState> devices;
    bool needsSave = false;
    if (!FleetFile::load(options.statePath, devices, needsSave, error)) {
        std::fprintf(stderr, "vrel-device: %s\n", error.c_str());
        return 1;
    }
    if (needsSave && !FleetFile::save(options.statePath, devices, error)) {
        std::fprintf(stderr, "vrel-device: %s\n", error.c_str());
        return 1;
    }

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    DeviceAgent agent(options, std::move(devices));
    return agent.run();
}
