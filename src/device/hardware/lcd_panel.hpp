#pragma once
#include <array>
#include <cstdint>

namespace ql {

struct Device;

inline constexpr int LCD_COLUMNS = 128;
inline constexpr int LCD_PAGES = 8;
inline constexpr int LCD_ROWS = LCD_PAGES * 8;

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

// Receives every byte the controller stores, at once, so that the picture always matches the
// memory. The owner of the device installs it; a device without one still works.
class PaintSink {
  public:
    virtual void paint_byte(std::uint8_t column, std::uint8_t page, std::uint8_t data) = 0;

  protected:
    ~PaintSink() = default;
};

// The display controller: column-major memory (the eight page bytes of a column are adjacent),
// bit 0 the top dot of a page, a set bit a dark dot.
struct LcdPanel {
    std::array<std::uint8_t, LCD_COLUMNS * LCD_PAGES> frame_memory{};
    std::uint8_t column = 0;
    std::uint8_t page = 0;
    bool colours_ready = false;
    PaintSink* sink = nullptr;
    // Writes that changed a byte through an address past the panel: a page or column past it
    // is wrapped by the controller, a write past the right edge lands on column 127 again.
    // The drawing layer may pass the edge with bytes that change nothing (the empty carry
    // pass below a picture at the bottom); the soak checks that nothing else does.
    std::uint32_t out_of_range_writes = 0;
    bool address_outside = false;     // the last address named a page or column past the panel
    bool last_column_written = false; // column 127 holds a byte of the current run of writes
};

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
