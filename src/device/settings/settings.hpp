#pragma once
#include "device/settings/languages.hpp"
#include "device/settings/settings_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

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
// Whether the user reads distances in miles, fuel in gallons.
bool in_miles(Device& dev);
bool in_gallons(Device& dev);
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
std::uint8_t get_language(Device& dev);
void set_language(Device& dev, std::uint8_t value);

void load_fuel_table(Device& dev, const FuelTable& table);
// Fills everything but the spare byte.
void read_fuel_table(Device& dev, FuelTable& table);

// The two letters the About screen shows for a variant: "FR", "IT", ... or "XX".
const char* variant_about_code(Variant variant);
// The languages a variant offers (one bit each) and the one it starts in.
std::uint8_t variant_language_mask(Variant variant);
std::uint8_t variant_language(Variant variant);
std::uint16_t get_firmware_version(Device& dev);
// Marks the store for rebuilding from the factory defaults at the next power-on.
void invalidate_settings(Device& dev);

#define QL_PLAIN_SETTING(Type, name)                                                               \
    Type get_##name(Device& dev);                                                                  \
    void set_##name(Device& dev, Type value);
#include "plain_settings.def"
#undef QL_PLAIN_SETTING

// Writes every factory default; the languages and the distance unit follow the variant.
void restore_factory_defaults(Device& dev);
// Hands a backlight, contrast or display value to the display hardware.
void apply_hardware_setting(Device& dev, std::uint8_t value);

} // namespace ql
