#include "device/device.hpp"
#include "device/settings/settings.hpp"
#include <gtest/gtest.h>
#include <string>

namespace ql {
namespace {

// A store with the factory defaults of a variant, and SystemFlags clear.
void defaults_for(Device& dev, Variant variant) {
    set_variant(dev, variant);
    restore_factory_defaults(dev);
    dev.kernel.system_flags = 0;
}

constexpr DistanceUnit KM = DistanceUnit::Kilometres;
constexpr DistanceUnit MI = DistanceUnit::Miles;

bool range_flag(const Device& dev) {
    return (dev.kernel.system_flags & SF_SETTING_RANGE) != 0;
}

TEST(Calibration, FactoryDefaultsAreConsistentInBothUnits) {
    Device dev;
    defaults_for(dev, 2);
    EXPECT_EQ(get_calibration(dev, KM), 1000);
    EXPECT_EQ(get_calibration(dev, MI), 1609);
    EXPECT_FALSE(range_flag(dev));
}

TEST(Calibration, TopPerKmDerivesAPerMileValueReadBackQuietlyInRange) {
    Device dev;
    defaults_for(dev, 2);
    EXPECT_FALSE(set_calibration(dev, KM, 30000));
    EXPECT_EQ(dev.settings.pulses_per_km, 30000);
    EXPECT_EQ(dev.settings.pulses_per_mile, 48280) << "the derived value is not clamped";
    EXPECT_EQ(get_calibration(dev, MI), 45000);
    EXPECT_EQ(dev.settings.pulses_per_mile, 48280) << "reading does not write back";
    EXPECT_EQ(dev.kernel.system_flags, 0);
}

TEST(Calibration, ValuesOutsideTheRangeAreClampedAndReported) {
    Device dev;
    defaults_for(dev, 2);
    EXPECT_TRUE(set_calibration(dev, KM, 50));
    EXPECT_EQ(dev.settings.pulses_per_km, 100);
    EXPECT_EQ(dev.settings.pulses_per_mile, 161);
    EXPECT_EQ(get_calibration(dev, MI), 200);
    EXPECT_FALSE(range_flag(dev));

    EXPECT_TRUE(set_calibration(dev, KM, 30001));
    EXPECT_EQ(get_calibration(dev, KM), 30000);
    EXPECT_TRUE(set_calibration(dev, MI, 199));
    EXPECT_EQ(get_calibration(dev, MI), 200);
    EXPECT_TRUE(set_calibration(dev, MI, 65535));
    EXPECT_EQ(dev.settings.pulses_per_mile, 45000);
    EXPECT_EQ(dev.settings.pulses_per_km, 27962);
}

TEST(Calibration, RangeEndsThemselvesAreNotClamped) {
    Device dev;
    EXPECT_FALSE(set_calibration(dev, KM, 100));
    EXPECT_FALSE(set_calibration(dev, KM, 30000));
    EXPECT_FALSE(set_calibration(dev, MI, 200));
    EXPECT_FALSE(set_calibration(dev, MI, 45000));
}

TEST(Calibration, PerMileDerivesPerKm) {
    Device dev;
    EXPECT_FALSE(set_calibration(dev, MI, 1000));
    EXPECT_EQ(get_calibration(dev, MI), 1000);
    EXPECT_EQ(get_calibration(dev, KM), 621);
}

TEST(Calibration, AnyUnitOtherThanZeroIsMiles) {
    Device dev;
    set_calibration(dev, static_cast<DistanceUnit>(7), 1000);
    EXPECT_EQ(dev.settings.pulses_per_mile, 1000);
    EXPECT_EQ(get_calibration(dev, static_cast<DistanceUnit>(200)), 1000);
}

TEST(Calibration, BadPerKmReadsAsItsLimitWithTheFlag) {
    Device dev;
    dev.settings.pulses_per_km = 40000;
    EXPECT_EQ(get_calibration(dev, KM), 30000);
    EXPECT_TRUE(range_flag(dev));
    dev.kernel.system_flags = 0;
    dev.settings.pulses_per_km = 99;
    EXPECT_EQ(get_calibration(dev, KM), 100);
    EXPECT_TRUE(range_flag(dev));
}

TEST(Getters, BacklightOtherThanItsThreeStepsReadsDim) {
    Device dev;
    set_backlight(dev, 100);
    EXPECT_EQ(get_backlight(dev), 40);
    EXPECT_EQ(dev.kernel.system_flags, SF_SETTING_RANGE);
    EXPECT_EQ(dev.settings.backlight, 100) << "the stored value stays";
    dev.kernel.system_flags = 0;
    EXPECT_EQ(get_backlight(dev), 40);
    EXPECT_TRUE(range_flag(dev)) << "raised again at every read";

    for (std::uint8_t good : {std::uint8_t{0}, std::uint8_t{40}, std::uint8_t{255}}) {
        Device fresh;
        set_backlight(fresh, good);
        EXPECT_EQ(get_backlight(fresh), good);
        EXPECT_FALSE(range_flag(fresh));
    }
}

TEST(Getters, ReplacementValuesFollowEachField) {
    struct Case {
        const char* name;
        void (*set)(Device&, std::uint8_t);
        std::uint8_t (*get)(Device&);
        std::uint8_t last_good;
        std::uint8_t replacement;
    };
    const Case cases[] = {
        {"contrast", set_contrast, get_contrast, 63, 63},
        {"distance_unit",
         [](Device& d, std::uint8_t v) { set_distance_unit(d, static_cast<DistanceUnit>(v)); },
         [](Device& d) { return static_cast<std::uint8_t>(get_distance_unit(d)); }, 1, 0},
        {"fuel_unit", [](Device& d, std::uint8_t v) { set_fuel_unit(d, static_cast<FuelUnit>(v)); },
         [](Device& d) { return static_cast<std::uint8_t>(get_fuel_unit(d)); }, 1, 0},
        {"resolution",
         [](Device& d, std::uint8_t v) { set_resolution(d, static_cast<Resolution>(v)); },
         [](Device& d) { return static_cast<std::uint8_t>(get_resolution(d)); }, 1, 0},
        {"count_direction",
         [](Device& d, std::uint8_t v) { set_count_direction(d, static_cast<CountDirection>(v)); },
         [](Device& d) { return static_cast<std::uint8_t>(get_count_direction(d)); }, 1, 0},
        {"sleep", set_sleep, get_sleep, 1, 1},
        {"aux_a_function", set_aux_a_function, get_aux_a_function, 8, 0},
        {"aux_b_function", set_aux_b_function, get_aux_b_function, 8, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Device dev;
        c.set(dev, c.last_good);
        EXPECT_EQ(c.get(dev), c.last_good);
        EXPECT_FALSE(range_flag(dev));
        c.set(dev, static_cast<std::uint8_t>(c.last_good + 1));
        EXPECT_EQ(c.get(dev), c.replacement);
        EXPECT_TRUE(range_flag(dev));
    }
}

TEST(Getters, TelemetryMaskKeepsSixBits) {
    Device dev;
    set_telemetry_mask(dev, 0xFF);
    EXPECT_EQ(dev.settings.telemetry_mask, 0x3F);
    dev.settings.telemetry_mask = 0xC5;
    EXPECT_EQ(get_telemetry_mask(dev), 0x05);
    EXPECT_FALSE(range_flag(dev));
}

TEST(Language, MustBeOneOfTheLanguagesOffered) {
    Device dev;
    set_language_mask(dev, LANG_ENGLISH | LANG_ITALIAN);
    set_language(dev, LANG_SPANISH);
    EXPECT_EQ(dev.settings.language, LANG_ENGLISH);
    EXPECT_TRUE(range_flag(dev));

    dev.kernel.system_flags = 0;
    set_language(dev, LANG_ITALIAN);
    EXPECT_EQ(get_language(dev), LANG_ITALIAN);
    EXPECT_FALSE(range_flag(dev));
}

TEST(Language, GetterReplacesALanguageNoLongerOfferedWithoutStoringIt) {
    Device dev;
    set_language_mask(dev, LANG_ENGLISH | LANG_GERMAN);
    set_language(dev, LANG_GERMAN);
    set_language_mask(dev, LANG_ENGLISH | LANG_FRENCH);
    EXPECT_EQ(get_language(dev), LANG_ENGLISH);
    EXPECT_TRUE(range_flag(dev));
    EXPECT_EQ(dev.settings.language, LANG_GERMAN);
}

TEST(FactoryDefaults, WriteEveryDefault) {
    Device dev;
    set_variant(dev, 2);
    // Every field away from its default, so that a default left unwritten shows.
    Settings& s = dev.settings;
    s.pulses_per_km = 7;
    s.pulses_per_mile = 7;
    s.backlight = 7;
    s.contrast = 7;
    s.distance_unit = 7;
    s.fuel_unit = 7;
    s.resolution = 7;
    s.count_direction = 7;
    s.sleep = 7;
    s.aux_a_function = 7;
    s.aux_b_function = 7;
    s.telemetry_mask = 7;
    s.language_mask = 7;
    s.language = 7;
    s.alarm_speed = 7;
    s.alarm_enabled = 7;
    s.stored_max_speed = 7;
    s.stored_flags = 7;
    s.fuel_count = 7;
    restore_factory_defaults(dev);
    EXPECT_EQ(s.stored_flags, 0);
    EXPECT_EQ(s.stored_max_speed, 0);
    EXPECT_EQ(s.pulses_per_km, 1000);
    EXPECT_EQ(s.pulses_per_mile, 1609);
    EXPECT_EQ(s.backlight, 255);
    EXPECT_EQ(s.contrast, 32);
    EXPECT_EQ(s.distance_unit, 0);
    EXPECT_EQ(s.fuel_unit, 0);
    EXPECT_EQ(s.resolution, 0);
    EXPECT_EQ(s.count_direction, 0);
    EXPECT_EQ(s.sleep, 1);
    EXPECT_EQ(s.aux_a_function, 0);
    EXPECT_EQ(s.aux_b_function, 0);
    EXPECT_EQ(s.telemetry_mask, 0x25);
    EXPECT_EQ(s.alarm_speed, 1000);
    EXPECT_EQ(s.alarm_enabled, 0);
    EXPECT_EQ(s.language_mask, LANG_ENGLISH | LANG_ITALIAN);
    EXPECT_EQ(s.language, LANG_ITALIAN);
    EXPECT_EQ(s.fuel_count, 0);
    EXPECT_EQ(dev.kernel.system_flags, 0);
}

TEST(FactoryDefaults, LanguagesAndUnitFollowTheVariant) {
    struct Case {
        Variant variant;
        const char* about;
        std::uint8_t mask;
        std::uint8_t language;
        std::uint8_t distance_unit;
    };
    constexpr std::uint8_t ALL = 0x1F;
    const Case cases[] = {
        {0, "XX", ALL, LANG_ENGLISH, 0},
        {1, "FR", LANG_ENGLISH | LANG_FRENCH, LANG_FRENCH, 0},
        {2, "IT", LANG_ENGLISH | LANG_ITALIAN, LANG_ITALIAN, 0},
        {3, "ES", LANG_ENGLISH | LANG_SPANISH, LANG_SPANISH, 0},
        {4, "DE", LANG_ENGLISH | LANG_GERMAN, LANG_GERMAN, 0},
        {5, "UK", LANG_ENGLISH, LANG_ENGLISH, 1},
        {6, "NZ", LANG_ENGLISH, LANG_ENGLISH, 0},
        {7, "XX", ALL, LANG_ENGLISH, 0},
        {255, "XX", ALL, LANG_ENGLISH, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.variant));
        Device dev;
        set_distance_unit(dev, DistanceUnit::Miles);
        defaults_for(dev, c.variant);
        EXPECT_EQ(get_language_mask(dev), c.mask);
        EXPECT_EQ(get_language(dev), c.language);
        EXPECT_EQ(static_cast<std::uint8_t>(get_distance_unit(dev)), c.distance_unit);
        EXPECT_EQ(std::string(variant_about_code(c.variant)), c.about);
        EXPECT_EQ(dev.kernel.system_flags, 0);
    }
}

TEST(FactoryDefaults, ClearOnlyTheFuelCountAndLeaveThePoints) {
    Device dev;
    FuelTable table;
    table.count = -3;
    table.readings = {10, 20, 30};
    table.volumes = {100, 200, 300};
    load_fuel_table(dev, table);
    restore_factory_defaults(dev);
    FuelTable out;
    out.spare = 0x5A;
    read_fuel_table(dev, out);
    EXPECT_EQ(out.count, 0);
    EXPECT_EQ(out.readings, table.readings);
    EXPECT_EQ(out.volumes, table.volumes);
    EXPECT_EQ(out.spare, 0x5A) << "the spare byte is not written";
}

TEST(Identity, FactoryDefaultsLeaveTheIdentityAlone) {
    Device dev;
    set_variant(dev, 4);
    set_product_code(dev, 156);
    set_settings_valid_marker(dev, 0xFF);
    set_display_frozen(dev, 1);
    restore_factory_defaults(dev);
    EXPECT_EQ(get_variant(dev), 4);
    EXPECT_EQ(get_product_code(dev), 156);
    EXPECT_EQ(get_settings_valid_marker(dev), 0xFF);
    EXPECT_EQ(get_display_frozen(dev), 1);
    EXPECT_EQ(get_firmware_version(dev), 0x0213);
}

TEST(Identity, InvalidatingMarksTheStoreForRebuilding) {
    Device dev;
    set_settings_valid_marker(dev, 0);
    invalidate_settings(dev);
    EXPECT_EQ(dev.settings.settings_valid_marker, 0xFF);
}

} // namespace
} // namespace ql
