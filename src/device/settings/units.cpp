#include "device/settings/units.hpp"
#include <limits>

namespace ql {

std::int32_t round_half_away(float value) {
    // Values beyond the 32-bit range saturate instead of overflowing the conversion.
    constexpr float LIMIT = 2147483520.0f; // the largest float below 2^31
    if (value >= LIMIT) return std::numeric_limits<std::int32_t>::max();
    if (value <= -LIMIT) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value >= 0.0f ? value + 0.5f : value - 0.5f);
}

// The product is taken in double precision and held in single precision before rounding:
// that intermediate rounding is what makes 1609 per mile come out as 1000 per km.
void km_to_miles(std::int32_t& value) {
    value = round_half_away(static_cast<float>(static_cast<double>(value) * 0.621371192));
}

void miles_to_km(std::int32_t& value) {
    value = round_half_away(static_cast<float>(static_cast<double>(value) * 1.609344001));
}

void gallons_to_litres(std::uint16_t& value) {
    value =
        static_cast<std::uint16_t>((static_cast<std::uint32_t>(value) * 18927u + 2500u) / 5000u);
}

void litres_to_gallons(std::uint16_t& value) {
    value =
        static_cast<std::uint16_t>((static_cast<std::uint32_t>(value) * 10000u + 18927u) / 37854u);
}

} // namespace ql
