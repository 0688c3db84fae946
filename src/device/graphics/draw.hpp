#pragma once
#include "device/graphics/draw_state.hpp"
#include "resources/bitmap.hpp"
#include <cstdint>

namespace ql {

struct Device;

// What draw_rect does to the dots it covers.
enum class RectMode : std::uint8_t { Clear = 0, Set = 1, Invert = 2 };
inline constexpr RectMode RECT_CLEAR = RectMode::Clear;
inline constexpr RectMode RECT_SET = RectMode::Set;
inline constexpr RectMode RECT_INVERT = RectMode::Invert;

void lcd_clear(Device& dev);
void lcd_clear_home(Device& dev);
void draw_rect(Device& dev, std::uint8_t width, std::uint8_t height, RectMode mode);
void blit_xor(Device& dev, std::uint8_t width, std::uint8_t height, const std::uint8_t* bitmap);

// Exclusive-ors one of the pictures in resources/ at the cursor.
template <std::size_t W, std::size_t H>
void blit_picture(Device& dev, const Picture<W, H>& picture) {
    blit_xor(dev, picture.width, picture.height, picture.data());
}

// Sets the cursor, for the many places that place an element.
void move_to(Device& dev, std::uint8_t x, std::uint8_t y);

} // namespace ql
