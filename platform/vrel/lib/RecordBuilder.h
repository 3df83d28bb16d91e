#pragma once

#include "Vrel.h"
#include "Wire.h"

namespace vrelp {

// Short protocol tag at the start of every record.
constexpr const char *kRecordProtocol = "VRLP/1";

// Fills the callback record from what a device said: zero-filled first,
// every text cut to its width less the terminating zero.
void fillRecord(const DeviceInfo &info, int event, VREL_CALLBACK_RECORD &record);

} // namespace vrelp
