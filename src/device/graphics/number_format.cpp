#include "device/graphics/number_format.hpp"
#include "device/device.hpp"

namespace ql {

namespace {

char* scratch(Device& dev) {
    return dev.text.scratch.data();
}

} // namespace

std::uint8_t scale_distance(std::int32_t& value, std::uint8_t mode) {
    if (value > 999999 || value < -99999 || mode == 1) {
        value /= 100;
        return 1;
    }
    if (value > 99999 || value < -9999 || mode == 2) {
        value /= 10;
        return 2;
    }
    return 3;
}

void fill_blanks(char* buffer, std::uint8_t count) {
    for (std::uint8_t i = 0; i < count; ++i)
        buffer[i] = ' ';
    buffer[count] = '\0';
}

char* format_3_digits(Device& dev, std::uint8_t value) {
    char* out = scratch(dev);
    for (int i = 2; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value = static_cast<std::uint8_t>(value / 10);
    }
    out[3] = '\0';
    return out;
}

char* format_decimal(Device& dev, std::int32_t value, std::uint8_t int_digits,
                     std::uint8_t decimals, FormatFlags flags) {
    char* out = scratch(dev);
    // The field must fit the scratch buffer with its NUL: integer positions give way first.
    constexpr unsigned MAX_FIELD = TEXT_SCRATCH_SIZE - 1;
    if (decimals > MAX_FIELD - 1) decimals = MAX_FIELD - 1;
    const unsigned point = decimals > 0 ? 1 : 0;
    if (int_digits + decimals + point > MAX_FIELD)
        int_digits = static_cast<std::uint8_t>(MAX_FIELD - decimals - point);

    // The magnitude is taken in unsigned arithmetic, so even the most negative value has one:
    // it formats as 2147483648 with the sign rules below.
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    if (value < 0) {
        magnitude = 0u - magnitude;
        flags = without(flags, FMT_PLUS);
    } else {
        flags = without(flags, FMT_MINUS);
    }
    flags = without(flags, FMT_POINT);

    unsigned pos = int_digits + decimals + point;
    out[pos] = '\0';
    for (unsigned i = 0; i < decimals; ++i) {
        out[--pos] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (decimals > 0) {
        out[--pos] = '.';
        flags = flags | FMT_POINT;
    }

    if (int_digits > 0) {
        unsigned positions = int_digits;
        bool sign_room = true;
        if (magnitude == 0) {
            out[--pos] = '0';
            --positions;
        } else {
            while (magnitude != 0 && positions > 0) {
                out[--pos] = static_cast<char>('0' + magnitude % 10);
                magnitude /= 10;
                --positions;
            }
            // Digits that do not fit are dropped, and so is the sign.
            sign_room = magnitude == 0;
        }
        if (sign_room && positions > 0) {
            if (has_flag(flags, FMT_PLUS))
                out[--pos] = '+';
            else if (has_flag(flags, FMT_MINUS))
                out[--pos] = '-';
        }
    }

    if (has_flag(flags, FMT_NO_PAD)) return out + pos;
    const char pad = has_flag(flags, FMT_ZERO_PAD) ? '0' : ' ';
    for (unsigned i = 0; i < pos; ++i)
        out[i] = pad;
    return out;
}

char* format_hex4(Device& dev, std::uint16_t value) {
    static constexpr char DIGITS[] = "0123456789ABCDEF";
    char* out = scratch(dev);
    out[0] = '0';
    out[1] = 'x';
    for (int i = 0; i < 4; ++i)
        out[2 + i] = DIGITS[(value >> (12 - 4 * i)) & 0xF];
    out[6] = '\0';
    return out;
}

std::int32_t parse_decimal(const char* text, std::int32_t& out) {
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    // Unsigned arithmetic wraps like the device's registers instead of overflowing.
    std::uint32_t v = 0;
    for (; *text != '\0'; ++text)
        v = v * 10u + static_cast<std::uint32_t>(static_cast<unsigned char>(*text) - '0');
    if (negative) v = 0u - v;
    out = static_cast<std::int32_t>(v);
    return out;
}

} // namespace ql
