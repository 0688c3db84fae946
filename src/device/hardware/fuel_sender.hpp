#pragma once
#include "device/hardware/fuel_sender_state.hpp"
#include "device/settings/settings.hpp"
#include <cstdint>

namespace ql {

struct Device;

// Reading 0 and no points in use; the points themselves stay.
void fuel_reset(Device& dev);
// Left and Right move the reading by one; every key repaints the fuel text.
void fuel_key(Device& dev, std::uint8_t key);
void load_sender_table(Device& dev, const FuelTable& table);
std::uint8_t get_sender_reading(Device& dev);
// A recorded drive sets the reading; repaints the fuel text.
void set_sender_reading(Device& dev, std::uint8_t reading);
// Hundredths of a litre.
std::uint16_t get_fuel_volume(Device& dev);

} // namespace ql
