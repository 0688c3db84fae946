#pragma once
#include <array>
#include <cstdint>

namespace ql {

// The one drawing position: callers set x and y directly before each operation.
struct DrawCursor {
    std::uint8_t x = 0; // column of the left edge, 0-127
    std::uint8_t y = 0; // pixel row of the top edge, 0-63
};

struct DrawState {
    DrawCursor cursor;
    // One byte per bitmap column: the bits that fall out of the bottom of a page and belong
    // to the next one. It limits bitmaps to 128 columns.
    std::array<std::uint8_t, 128> carry{};
};

} // namespace ql
