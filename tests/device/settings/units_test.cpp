#include "device/settings/units.hpp"
#include <gtest/gtest.h>
#include <limits>

namespace ql {
namespace {

TEST(Rounding, HalvesGoAwayFromZero) {
    EXPECT_EQ(round_half_away(2.5f), 3);
    EXPECT_EQ(round_half_away(-2.5f), -3);
    EXPECT_EQ(round_half_away(2.49f), 2);
    EXPECT_EQ(round_half_away(-0.4f), 0);
}

TEST(Rounding, SaturatesOutsideThe32BitRange) {
    EXPECT_EQ(round_half_away(1e12f), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(round_half_away(-1e12f), std::numeric_limits<std::int32_t>::min());
}

TEST(UnitConversion, KilometresAndMilesRoundThroughSinglePrecision) {
    auto miles = [](std::int32_t v) { return km_to_miles(v), v; };
    auto km = [](std::int32_t v) { return miles_to_km(v), v; };
    EXPECT_EQ(miles(1000), 621);
    EXPECT_EQ(km(60), 97);
    EXPECT_EQ(km(1000), 1609);
    EXPECT_EQ(miles(1609), 1000);
    EXPECT_EQ(miles(30000), 18641);
    EXPECT_EQ(km(30000), 48280);
    EXPECT_EQ(miles(-1609), -1000);
    // These two depend on the single-precision step: in double precision all the way they
    // would round to 7812 and 13003.
    EXPECT_EQ(miles(12573), 7813);
    EXPECT_EQ(km(8080), 13004);
    EXPECT_EQ(km(std::numeric_limits<std::int32_t>::max()),
              std::numeric_limits<std::int32_t>::max());
}

TEST(UnitConversion, LitresAndGallonsRoundHalfUpIn32Bits) {
    auto litres = [](std::uint16_t v) { return gallons_to_litres(v), v; };
    auto gallons = [](std::uint16_t v) { return litres_to_gallons(v), v; };
    EXPECT_EQ(litres(100), 379);
    EXPECT_EQ(gallons(379), 100);
    EXPECT_EQ(gallons(12345), 3261);
    EXPECT_EQ(gallons(65535), 17313) << "no 16-bit overflow on the way";
    EXPECT_EQ(litres(65535), static_cast<std::uint16_t>((65535u * 18927u + 2500u) / 5000u));
}

} // namespace
} // namespace ql
