#pragma once
#include "device/settings/settings_state.hpp"
#include <cstdint>

namespace ql {

// Stands where the device reads its tank sender through an 8-bit converter: the user moves
// the reading with Left and Right, and the active calibration table turns it into a volume.
struct FuelSender {
    std::uint8_t reading = 0;
    FuelTable table;
};

} // namespace ql
