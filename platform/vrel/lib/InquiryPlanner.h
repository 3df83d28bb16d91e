#pragma once

#include <cstdint>
#include <vector>

#include "Wire.h"

namespace vrelp {

// Builds the datagrams of one inquiry round. Round 0 asks everybody; later
// rounds list, per MAC bucket, the devices already heard, so that only the
// ones whose answer was lost speak again.
std::vector<std::vector<uint8_t>> planInquiry(uint32_t txid, uint16_t round, uint32_t windowMs,
                                              const std::vector<Mac> &heard);

// Answer window for a first round: wide enough that a fleet of the size
// already known spreads its answers instead of overflowing receive buffers.
uint32_t firstWindowMs(size_t knownDevices);

} // namespace vrelp
