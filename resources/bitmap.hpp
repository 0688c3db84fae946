#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ql {

// Bitmaps are written in the source as pictures: one string per row, '#' a dark dot and '.'
// a clear one. They are converted at compile time into the device's format: bands of 8 rows,
// band 0 first, one byte per column from left to right, bit 0 the top row of the band.

constexpr std::size_t bitmap_bytes(std::size_t width, std::size_t height) {
    return width * ((height + 7) / 8);
}

// Packs `height` rows of `width` characters into `out`. Evaluated at compile time, a row of
// the wrong length or a character other than '#' and '.' stops the build.
constexpr void pack_picture(const char* const* rows, std::size_t width, std::size_t height,
                            std::uint8_t* out) {
    for (std::size_t i = 0; i < bitmap_bytes(width, height); ++i)
        out[i] = 0;
    for (std::size_t y = 0; y < height; ++y) {
        const std::string_view row(rows[y]);
        if (row.size() != width) throw "picture row has the wrong width";
        for (std::size_t x = 0; x < width; ++x) {
            if (row[x] == '#')
                out[(y / 8) * width + x] |= static_cast<std::uint8_t>(1u << (y % 8));
            else if (row[x] != '.')
                throw "picture rows may hold only '#' and '.'";
        }
    }
}

template <std::size_t W, std::size_t H> struct Picture {
    static_assert(W >= 1 && W <= 128 && H >= 1 && H <= 64, "bitmaps fit the panel");
    static constexpr std::uint8_t width = W;
    static constexpr std::uint8_t height = H;
    std::array<std::uint8_t, bitmap_bytes(W, H)> bytes{};
    constexpr const std::uint8_t* data() const { return bytes.data(); }
};

// picture<W, H>({"row", ...}): the number of rows must be H (a different count does not
// compile) and every row W characters long.
template <std::size_t W, std::size_t H>
consteval Picture<W, H> picture(const char* const (&rows)[H]) {
    Picture<W, H> p;
    pack_picture(rows, W, H, p.bytes.data());
    return p;
}

} // namespace ql
