// Every datagram the discovery library can receive: framing, Info, Bye,
// Challenge and Result, through the same code as the receive thread, plus the
// sealed contents of commands and results.
#include <cstddef>
#include <cstdint>

#include "Commands.h"
#include "DiscoveryEngine.h"
#include "RecordBuilder.h"
#include "Wire.h"

namespace {
void VREL_CALL ignore(const VREL_CALLBACK_RECORD *, void *) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    vrelp::NetConfig config;
    vrelp::DiscoveryEngine engine(config, &ignore, nullptr);
    engine.handleDatagram(data, size, 1);

    // The parsers one by one, so that each sees every input.
    vrelp::Reader r;
    if (r.parseDatagram(data, size)) {
        vrelp::InfoMessage info;
        if (vrelp::readInfoMessage(r, info)) {
            VREL_CALLBACK_RECORD record;
            vrelp::fillRecord(info.info, VREL_EVENT_FOUND, record);
        }
        vrelp::Target target;
        vrelp::readTarget(r, target);
    }
    vrelp::CommandRequest request;
    vrelp::decodeCommand(data, size, request);
    vrelp::CommandResult result;
    vrelp::decodeResult(data, size, result);
    return 0;
}
