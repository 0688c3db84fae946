#pragma once
#include <cstdint>

namespace ql {

// Conversions between the units a setting can be shown in. The stored quantities stay in
// kilometres and litres; the screens convert for the user's unit.

std::int32_t round_half_away(float value);
void km_to_miles(std::int32_t& value);
void miles_to_km(std::int32_t& value);
void gallons_to_litres(std::uint16_t& value);
void litres_to_gallons(std::uint16_t& value);

} // namespace ql
