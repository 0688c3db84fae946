#include "device/settings/settings.hpp"
#include "device/device.hpp"
#include "device/kernel/kernel.hpp"
#include "device/settings/units.hpp"
#include <algorithm>
#include <iterator>

namespace ql {

namespace {

// The calibration rates the store keeps, in pulses per kilometre and per mile, both ends included.
struct RateRange {
    std::uint16_t low, high;
};
constexpr RateRange PER_KM{100, 30000};
constexpr RateRange PER_MILE{200, 45000};

struct VariantDefaults {
    const char* about_code;
    std::uint8_t language_mask;
    std::uint8_t language;
};

// Indexed by variant; entry 0 stands for every variant without an entry of its own.
constexpr VariantDefaults VARIANTS[] = {
    {"XX", LANG_ENGLISH | LANG_FRENCH | LANG_ITALIAN | LANG_SPANISH | LANG_GERMAN, LANG_ENGLISH},
    {"FR", LANG_ENGLISH | LANG_FRENCH, LANG_FRENCH},
    {"IT", LANG_ENGLISH | LANG_ITALIAN, LANG_ITALIAN},
    {"ES", LANG_ENGLISH | LANG_SPANISH, LANG_SPANISH},
    {"DE", LANG_ENGLISH | LANG_GERMAN, LANG_GERMAN},
    {"UK", LANG_ENGLISH, LANG_ENGLISH},
    {"NZ", LANG_ENGLISH, LANG_ENGLISH},
};

const VariantDefaults& variant_defaults(Variant variant) {
    return variant < std::size(VARIANTS) ? VARIANTS[variant] : VARIANTS[0];
}

// A getter's replacement for a stored value outside its valid set.
template <typename T> T replaced(Device& dev, T replacement) {
    raise_system_flag(dev, SF_SETTING_RANGE);
    return replacement;
}

std::uint8_t zero_or_one(Device& dev, std::uint8_t stored, std::uint8_t replacement) {
    return stored <= 1 ? stored : replaced(dev, replacement);
}

std::uint16_t to_u16(std::int32_t value) {
    return static_cast<std::uint16_t>(value);
}

} // namespace

bool set_calibration(Device& dev, DistanceUnit unit, std::uint16_t value) {
    Settings& s = dev.settings;
    const RateRange range = unit == DistanceUnit::Kilometres ? PER_KM : PER_MILE;
    const bool clamped = value < range.low || value > range.high;
    value = std::clamp(value, range.low, range.high);
    // The derived value is not clamped: 30000 per km gives 48280 per mile, read back as 45000.
    std::int32_t derived = value;
    if (unit == DistanceUnit::Kilometres) {
        s.pulses_per_km = value;
        miles_to_km(derived); // x 1.609344: pulses per km become pulses per mile
        s.pulses_per_mile = to_u16(derived);
    } else {
        s.pulses_per_mile = value;
        km_to_miles(derived); // x 0.621371: pulses per mile become pulses per km
        s.pulses_per_km = to_u16(derived);
    }
    return clamped;
}

std::uint16_t get_calibration(Device& dev, DistanceUnit unit) {
    const Settings& s = dev.settings;
    if (unit == DistanceUnit::Kilometres) {
        if (s.pulses_per_km < PER_KM.low) return replaced(dev, PER_KM.low);
        if (s.pulses_per_km > PER_KM.high) return replaced(dev, PER_KM.high);
        return s.pulses_per_km;
    }
    // A per-mile value derived from a per-km value in range can lie outside the per-mile
    // range; it is brought back quietly.
    return std::clamp(s.pulses_per_mile, PER_MILE.low, PER_MILE.high);
}

std::uint8_t get_backlight(Device& dev) {
    const std::uint8_t b = dev.settings.backlight;
    return (b == BACKLIGHT_OFF || b == BACKLIGHT_DIM || b == BACKLIGHT_ON)
               ? b
               : replaced<std::uint8_t>(dev, BACKLIGHT_DIM);
}
void set_backlight(Device& dev, std::uint8_t value) {
    dev.settings.backlight = value;
}

std::uint8_t get_contrast(Device& dev) {
    const std::uint8_t c = dev.settings.contrast;
    return c <= 63 ? c : replaced<std::uint8_t>(dev, 63);
}
void set_contrast(Device& dev, std::uint8_t value) {
    dev.settings.contrast = value;
}

DistanceUnit get_distance_unit(Device& dev) {
    return static_cast<DistanceUnit>(zero_or_one(dev, dev.settings.distance_unit, 0));
}
void set_distance_unit(Device& dev, DistanceUnit value) {
    dev.settings.distance_unit = static_cast<std::uint8_t>(value);
}

FuelUnit get_fuel_unit(Device& dev) {
    return static_cast<FuelUnit>(zero_or_one(dev, dev.settings.fuel_unit, 0));
}
void set_fuel_unit(Device& dev, FuelUnit value) {
    dev.settings.fuel_unit = static_cast<std::uint8_t>(value);
}

bool in_miles(Device& dev) {
    return get_distance_unit(dev) == DistanceUnit::Miles;
}
bool in_gallons(Device& dev) {
    return get_fuel_unit(dev) == FuelUnit::Gallons;
}

Resolution get_resolution(Device& dev) {
    return static_cast<Resolution>(zero_or_one(dev, dev.settings.resolution, 0));
}
void set_resolution(Device& dev, Resolution value) {
    dev.settings.resolution = static_cast<std::uint8_t>(value);
}

CountDirection get_count_direction(Device& dev) {
    return static_cast<CountDirection>(zero_or_one(dev, dev.settings.count_direction, 0));
}
void set_count_direction(Device& dev, CountDirection value) {
    dev.settings.count_direction = static_cast<std::uint8_t>(value);
}

std::uint8_t get_sleep(Device& dev) {
    return zero_or_one(dev, dev.settings.sleep, 1);
}
void set_sleep(Device& dev, std::uint8_t value) {
    dev.settings.sleep = value;
}

std::uint8_t get_aux_a_function(Device& dev) {
    const std::uint8_t f = dev.settings.aux_a_function;
    return f <= 8 ? f : replaced<std::uint8_t>(dev, 0);
}
void set_aux_a_function(Device& dev, std::uint8_t value) {
    dev.settings.aux_a_function = value;
}

std::uint8_t get_aux_b_function(Device& dev) {
    const std::uint8_t f = dev.settings.aux_b_function;
    return f <= 8 ? f : replaced<std::uint8_t>(dev, 0);
}
void set_aux_b_function(Device& dev, std::uint8_t value) {
    dev.settings.aux_b_function = value;
}

std::uint8_t get_telemetry_mask(Device& dev) {
    return dev.settings.telemetry_mask & 0x3F;
}
void set_telemetry_mask(Device& dev, std::uint8_t value) {
    dev.settings.telemetry_mask = value & 0x3F;
}

std::uint8_t get_language(Device& dev) {
    const Settings& s = dev.settings;
    return (s.language & s.language_mask) != 0 ? s.language : replaced(dev, LANG_ENGLISH);
}
void set_language(Device& dev, std::uint8_t value) {
    Settings& s = dev.settings;
    if ((value & s.language_mask) != 0) {
        s.language = value;
        return;
    }
    s.language = LANG_ENGLISH;
    raise_system_flag(dev, SF_SETTING_RANGE);
}

void load_fuel_table(Device& dev, const FuelTable& table) {
    Settings& s = dev.settings;
    s.fuel_count = table.count;
    s.fuel_readings = table.readings;
    s.fuel_volumes = table.volumes;
}

void read_fuel_table(Device& dev, FuelTable& table) {
    const Settings& s = dev.settings;
    table.count = s.fuel_count;
    table.readings = s.fuel_readings;
    table.volumes = s.fuel_volumes;
}

const char* variant_about_code(Variant variant) {
    return variant_defaults(variant).about_code;
}
std::uint8_t variant_language_mask(Variant variant) {
    return variant_defaults(variant).language_mask;
}
std::uint8_t variant_language(Variant variant) {
    return variant_defaults(variant).language;
}

std::uint16_t get_firmware_version(Device&) {
    return FIRMWARE_VERSION;
}

void invalidate_settings(Device& dev) {
    dev.settings.settings_valid_marker = SETTINGS_INVALID;
}

#define QL_PLAIN_SETTING(Type, name)                                                               \
    Type get_##name(Device& dev) {                                                                 \
        return dev.settings.name;                                                                  \
    }                                                                                              \
    void set_##name(Device& dev, Type value) {                                                     \
        dev.settings.name = value;                                                                 \
    }
#include "plain_settings.def"
#undef QL_PLAIN_SETTING

void restore_factory_defaults(Device& dev) {
    Settings& s = dev.settings;
    s.stored_flags = 0;
    s.stored_max_speed = 0;
    set_calibration(dev, DistanceUnit::Kilometres, 1000);
    set_calibration(dev, DistanceUnit::Miles, 1609);
    s.backlight = BACKLIGHT_ON;
    s.contrast = 32;
    s.distance_unit = 0;
    s.fuel_unit = 0;
    s.resolution = 0;
    s.count_direction = 0;
    s.sleep = 1;
    s.aux_a_function = 0;
    s.aux_b_function = 0;
    s.telemetry_mask = 0x25;
    s.alarm_speed = 1000;
    s.alarm_enabled = 0;
    // Only the count: the points of an earlier calibration stay in the store.
    s.fuel_count = 0;
    const VariantDefaults& v = variant_defaults(s.variant);
    s.language_mask = v.language_mask;
    set_language(dev, v.language);
    if (s.variant == VARIANT_UK) s.distance_unit = static_cast<std::uint8_t>(DistanceUnit::Miles);
}

void apply_hardware_setting(Device&, std::uint8_t) {
    // The simulated panel's colours never change.
}

} // namespace ql

namespace ql {

std::uint8_t current_language(Device& dev) {
    return get_language(dev);
}

} // namespace ql
