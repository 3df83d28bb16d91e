// Every datagram a device agent can receive: inquiries with known lists,
// challenge requests and commands, through the agent's own handling.
#include <cstddef>
#include <cstdint>

#include "DeviceAgent.h"
#include "DeviceRules.h"
#include "Seal.h"

namespace {

std::vector<vrelagent::DeviceState> fleet()
{
    std::vector<vrelagent::DeviceState> devices(3);
    for (size_t i = 0; i < devices.size(); ++i) {
        auto &d = devices[i];
        d.info.mac = {0x02, 0x5a, 0x01, 0x00, 0x00, uint8_t(i + 1)};
        d.info.serial = "VR0000000" + std::to_string(i + 1);
        d.info.activated = i != 2;
        d.password = "Admin12345";
        d.securityCode = "SC";
        // Fixed keys: the corpus can hold commands sealed to them.
        d.identityKey.fill(uint8_t(0x10 + i));
        d.info.publicKey = vrelp::publicFromSecret(d.identityKey);
    }
    return devices;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = vrelp::cryptoInit();
    (void)ready;
    vrelagent::AgentOptions options;
    options.statePath = "/dev/null/not-written";
    vrelagent::DeviceAgent agent(options, fleet());
    agent.handleDatagram(data, size, 1);

    vrelp::Reader r;
    if (r.parseDatagram(data, size)) {
        vrelp::InquiryMessage inquiry;
        if (vrelp::readInquiry(r, inquiry))
            vrelp::inquiryAddresses(inquiry, {0x02, 0x5a, 1, 0, 0, 1}, "VR00000001");
    }
    return 0;
}
