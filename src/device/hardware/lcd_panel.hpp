#pragma once
#include "device/hardware/lcd_panel_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

struct Rgb {
    std::uint8_t r, g, b;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb LCD_ON_COLOUR{50, 42, 111};    // dark blue dot
inline constexpr Rgb LCD_OFF_COLOUR{170, 201, 223}; // light grey-blue background

// Where the panel sits in the simulator window: dot (x, y) is the 2 x 2 square whose top-left
// corner is client point (LCD_WINDOW_X + 2x, LCD_WINDOW_Y + 2y).
inline constexpr int LCD_WINDOW_X = 123;
inline constexpr int LCD_WINDOW_Y = 49;
inline constexpr int LCD_DOT_SIZE = 2;

// Used by the drawing layer.
void lcd_set_address(Device& dev, std::uint8_t column, std::uint8_t page);
void lcd_write(Device& dev, std::uint8_t data);
std::uint8_t lcd_read(const Device& dev);

// Used by the simulator around the device.
void lcd_init(Device& dev);
void lcd_paint_all(const Device& dev, PaintSink& sink);
void lcd_release(Device& dev);

// The byte at (column, page) of a frame memory.
inline std::uint8_t frame_byte(const LcdPanel& lcd, int column, int page) {
    return lcd.frame_memory[static_cast<std::size_t>(column * LCD_PAGES + page)];
}
// True when dot (x, y) is dark.
inline bool frame_dot(const LcdPanel& lcd, int x, int y) {
    return ((frame_byte(lcd, x, y / 8) >> (y % 8)) & 1) != 0;
}

} // namespace ql
