#pragma once
#include <cstdint>

namespace ql {

struct Device;

// format_decimal flags.
inline constexpr std::uint8_t FMT_PLUS = 0x80;     // "+" before a value that is not negative
inline constexpr std::uint8_t FMT_MINUS = 0x40;    // "-" before a negative value
inline constexpr std::uint8_t FMT_POINT = 0x20;    // internal: a decimal point was written
inline constexpr std::uint8_t FMT_ZERO_PAD = 0x10; // fill free leading positions with "0"
inline constexpr std::uint8_t FMT_NO_PAD = 0x08;   // return the text from its first character

std::int32_t round_half_away(float value);
void km_to_miles(std::int32_t& value);
void miles_to_km(std::int32_t& value);
void gallons_to_litres(std::uint16_t& value);
void litres_to_gallons(std::uint16_t& value);
// Fits a metre count into the display; returns the number of decimals (1, 2 or 3).
std::uint8_t scale_distance(std::int32_t& value, std::uint8_t mode);
void fill_blanks(char* buffer, std::uint8_t count);
// The text routines build their result in TextScratch and return it.
char* format_3_digits(Device& dev, std::uint8_t value);
char* format_decimal(Device& dev, std::int32_t value, std::uint8_t int_digits,
                     std::uint8_t decimals, std::uint8_t flags);
char* format_hex4(Device& dev, std::uint16_t value);
std::int32_t parse_decimal(const char* text, std::int32_t& out);

} // namespace ql
