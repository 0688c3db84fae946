#pragma once
#include "device/settings/languages.hpp"
#include <array>
#include <cstdint>

namespace ql {

struct Device;

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

// The three backlight levels.
inline constexpr std::uint8_t BACKLIGHT_OFF = 0;
inline constexpr std::uint8_t BACKLIGHT_DIM = 40;
inline constexpr std::uint8_t BACKLIGHT_ON = 255;

enum class DistanceUnit : std::uint8_t { Kilometres = 0, Miles = 1 };
enum class FuelUnit : std::uint8_t { Litres = 0, Gallons = 1 };
// Rally shows distances to the nearest 10 m, high to the metre.
enum class Resolution : std::uint8_t { Rally = 0, High = 1 };
enum class CountDirection : std::uint8_t { Up = 0, Down = 1 };

// The regional variants with a table of their own; any other number offers every language.
inline constexpr Variant VARIANT_FRANCE = 1;
inline constexpr Variant VARIANT_ITALY = 2;
inline constexpr Variant VARIANT_SPAIN = 3;
inline constexpr Variant VARIANT_GERMANY = 4;
inline constexpr Variant VARIANT_UK = 5;
inline constexpr Variant VARIANT_NZ = 6;

inline constexpr std::uint16_t FIRMWARE_VERSION = 0x0213;
inline constexpr std::uint8_t SETTINGS_INVALID = 0xFF;
inline constexpr std::uint8_t SETTINGS_VALID = 0x00;

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

// Pulses per kilometre or per mile; the other one is derived. Returns true when the value had
// to be brought into range.
bool set_calibration(Device& dev, DistanceUnit unit, std::uint16_t value);
std::uint16_t get_calibration(Device& dev, DistanceUnit unit);

std::uint8_t get_backlight(Device& dev);
void set_backlight(Device& dev, std::uint8_t value);
std::uint8_t get_contrast(Device& dev);
void set_contrast(Device& dev, std::uint8_t value);
DistanceUnit get_distance_unit(Device& dev);
void set_distance_unit(Device& dev, DistanceUnit value);
FuelUnit get_fuel_unit(Device& dev);
void set_fuel_unit(Device& dev, FuelUnit value);
Resolution get_resolution(Device& dev);
void set_resolution(Device& dev, Resolution value);
CountDirection get_count_direction(Device& dev);
void set_count_direction(Device& dev, CountDirection value);
std::uint8_t get_sleep(Device& dev);
void set_sleep(Device& dev, std::uint8_t value);
std::uint8_t get_aux_a_function(Device& dev);
void set_aux_a_function(Device& dev, std::uint8_t value);
std::uint8_t get_aux_b_function(Device& dev);
void set_aux_b_function(Device& dev, std::uint8_t value);
std::uint8_t get_telemetry_mask(Device& dev);
void set_telemetry_mask(Device& dev, std::uint8_t value);
std::uint8_t get_language_mask(Device& dev);
void set_language_mask(Device& dev, std::uint8_t value);
std::uint8_t get_language(Device& dev);
void set_language(Device& dev, std::uint8_t value);
std::uint16_t get_alarm_speed(Device& dev);
void set_alarm_speed(Device& dev, std::uint16_t value);
std::uint8_t get_alarm_enabled(Device& dev);
void set_alarm_enabled(Device& dev, std::uint8_t value);
std::uint16_t get_stored_max_speed(Device& dev);
void set_stored_max_speed(Device& dev, std::uint16_t value);
std::uint16_t get_stored_flags(Device& dev);
void set_stored_flags(Device& dev, std::uint16_t value);

void load_fuel_table(Device& dev, const FuelTable& table);
// Fills everything but the spare byte.
void read_fuel_table(Device& dev, FuelTable& table);

Variant get_variant(Device& dev);
void set_variant(Device& dev, Variant variant);
// The two letters the About screen shows for a variant: "FR", "IT", ... or "XX".
const char* variant_about_code(Variant variant);
// The languages a variant offers (one bit each) and the one it starts in.
std::uint8_t variant_language_mask(Variant variant);
std::uint8_t variant_language(Variant variant);
std::uint16_t get_product_code(Device& dev);
void set_product_code(Device& dev, std::uint16_t value);
std::uint16_t get_firmware_version(Device& dev);
std::uint8_t get_settings_valid_marker(Device& dev);
void set_settings_valid_marker(Device& dev, std::uint8_t value);
// Marks the store for rebuilding from the factory defaults at the next power-on.
void invalidate_settings(Device& dev);
std::uint8_t get_hardware_option(Device& dev);
void set_hardware_option(Device& dev, std::uint8_t value);
std::uint8_t get_display_frozen(Device& dev);
void set_display_frozen(Device& dev, std::uint8_t value);
std::uint8_t get_reserved_trip_flag(Device& dev);
void set_reserved_trip_flag(Device& dev, std::uint8_t value);

// Writes every factory default; the languages and the distance unit follow the variant.
void restore_factory_defaults(Device& dev);
// Hands a backlight, contrast or display value to the display hardware.
void apply_hardware_setting(Device& dev, std::uint8_t value);

} // namespace ql
