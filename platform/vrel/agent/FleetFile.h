#pragma once

#include <string>
#include <vector>

#include "DeviceState.h"

namespace vrelagent {

// The state file: a JSON document with one object per device.
class FleetFile {
public:
    // Fills devices; a device without an identity key gets one, and
    // needsSave then tells that the file should be written back.
    static bool load(const std::string &path, std::vector<DeviceState> &devices, bool &needsSave, std::string &error);
    // Atomic: a temporary file in the same folder is written and synced,
    // then renamed over the old one and the folder synced. A crash at any
    // point leaves either the old or the new file, never a mix.
    static bool save(const std::string &path, const std::vector<DeviceState> &devices, std::string &error);

    struct GenerateOptions {
        int count = 1;
        std::string serialPrefix = "VR";
        std::string baseAddress = "192.168.1.64";
        int prefixLength = 24;
        std::string activation = "mixed"; // all, none or mixed (every third not activated)
        std::string password = "Admin12345";
        unsigned macSeed = 1;
    };
    static std::vector<DeviceState> generate(const GenerateOptions &options);
};

} // namespace vrelagent
