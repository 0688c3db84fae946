#pragma once
#include <array>
#include <cstdint>

namespace ql {

inline constexpr std::uint8_t FUEL_TABLE_POINTS = 10;

// The fuel sender's calibration as it passes between the store, the fuel screens and the
// sender, copied as one 32-byte block. A negative count means the sender reading falls as the
// tank fills; the readings are then held inverted (255 - value).
struct FuelTable {
    std::int8_t count = 0;
    std::uint8_t spare = 0;
    std::array<std::uint16_t, FUEL_TABLE_POINTS> volumes{}; // hundredths of a litre, ascending
    std::array<std::uint8_t, FUEL_TABLE_POINTS> readings{}; // ascending in the table's sense
};
static_assert(sizeof(FuelTable) == 32, "the fuel table is copied as one 32-byte block");

// The regional variant fixed at power-on: it chooses the languages offered, the starting
// language and, for the UK, miles.
using Variant = std::uint8_t;

// Every field starts at zero; power-on writes the factory defaults. Getters check what is
// stored and hand out a safe replacement for a bad value, leaving the stored value as it is.
struct Settings {
    std::uint16_t pulses_per_km = 0;
    std::uint16_t pulses_per_mile = 0;
    std::uint8_t backlight = 0;
    std::uint8_t contrast = 0;
    std::uint8_t distance_unit = 0;
    std::uint8_t fuel_unit = 0;
    std::uint8_t resolution = 0;
    std::uint8_t count_direction = 0;
    std::uint8_t sleep = 0;
    std::uint8_t aux_a_function = 0;
    std::uint8_t aux_b_function = 0;
    std::uint8_t telemetry_mask = 0;
    std::uint8_t language_mask = 0;
    std::uint8_t language = 0;
    std::uint16_t alarm_speed = 0; // 0.1 km/h
    std::uint8_t alarm_enabled = 0;
    std::uint16_t stored_max_speed = 0; // 0.1 km/h
    std::uint16_t stored_flags = 0;

    std::int8_t fuel_count = 0;
    std::array<std::uint16_t, FUEL_TABLE_POINTS> fuel_volumes{};
    std::array<std::uint8_t, FUEL_TABLE_POINTS> fuel_readings{};

    Variant variant = 0;
    std::uint16_t product_code = 0;
    std::uint8_t settings_valid_marker = 0;
    std::uint8_t hardware_option = 0;
    std::uint8_t display_frozen = 0;
    std::uint8_t reserved_trip_flag = 0;

    friend bool operator==(const Settings&, const Settings&) = default;
};

} // namespace ql
