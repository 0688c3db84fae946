#pragma once
#include <cstdint>

namespace ql {

struct Device;

// Numbers as the display shows them: fixed fields of digits built in TextScratch, and an
// edited text read back as a number.

// format_decimal flags, combined with |.
enum class FormatFlags : std::uint8_t {
    None = 0x00,
    Plus = 0x80,    // "+" before a value that is not negative
    Minus = 0x40,   // "-" before a negative value
    Point = 0x20,   // internal: a decimal point was written
    ZeroPad = 0x10, // fill free leading positions with "0"
    NoPad = 0x08,   // return the text from its first character
};
constexpr FormatFlags operator|(FormatFlags a, FormatFlags b) {
    return static_cast<FormatFlags>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr FormatFlags without(FormatFlags a, FormatFlags b) {
    return static_cast<FormatFlags>(static_cast<std::uint8_t>(a) & ~static_cast<std::uint8_t>(b));
}
constexpr bool has_flag(FormatFlags a, FormatFlags b) {
    return (static_cast<std::uint8_t>(a) & static_cast<std::uint8_t>(b)) != 0;
}
inline constexpr FormatFlags FMT_NONE = FormatFlags::None;
inline constexpr FormatFlags FMT_PLUS = FormatFlags::Plus;
inline constexpr FormatFlags FMT_MINUS = FormatFlags::Minus;
inline constexpr FormatFlags FMT_POINT = FormatFlags::Point;
inline constexpr FormatFlags FMT_ZERO_PAD = FormatFlags::ZeroPad;
inline constexpr FormatFlags FMT_NO_PAD = FormatFlags::NoPad;

// Fits a metre count into the display; returns the number of decimals (1, 2 or 3).
std::uint8_t scale_distance(std::int32_t& value, std::uint8_t mode);
void fill_blanks(char* buffer, std::uint8_t count);
// The text routines build their result in TextScratch and return it.
char* format_3_digits(Device& dev, std::uint8_t value);
char* format_decimal(Device& dev, std::int32_t value, std::uint8_t int_digits,
                     std::uint8_t decimals, FormatFlags flags);
char* format_hex4(Device& dev, std::uint16_t value);
std::int32_t parse_decimal(const char* text, std::int32_t& out);

} // namespace ql
