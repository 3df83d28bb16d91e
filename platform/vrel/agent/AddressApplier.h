#pragma once

#include <string>

#include "Wire.h"

namespace vrelagent {

// Gives a real network interface the address a device was told to take
// (meant for an agent in a network namespace of its own).
class AddressApplier {
public:
    explicit AddressApplier(std::string interfaceName);
    bool enabled() const { return !m_interface.empty(); }
    bool apply(const vrelp::DeviceInfo &info, std::string &error) const;

private:
    std::string m_interface;
};

} // namespace vrelagent
