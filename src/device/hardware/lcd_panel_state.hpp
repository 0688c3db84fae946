#pragma once
#include <array>
#include <cstdint>

namespace ql {

inline constexpr int LCD_COLUMNS = 128;
inline constexpr int LCD_PAGES = 8;
inline constexpr int LCD_ROWS = LCD_PAGES * 8;

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

} // namespace ql
