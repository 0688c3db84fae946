#include "device/graphics/draw.hpp"
#include "device/device.hpp"
#include "device/hardware/lcd_panel.hpp"

namespace ql {

void move_to(Device& dev, std::uint8_t x, std::uint8_t y) {
    dev.draw.cursor.x = x;
    dev.draw.cursor.y = y;
}

void lcd_clear(Device& dev) {
    for (std::uint8_t page = 0; page < LCD_PAGES; ++page) {
        lcd_set_address(dev, 0, page);
        for (int i = 0; i < LCD_COLUMNS; ++i)
            lcd_write(dev, 0);
    }
}

void lcd_clear_home(Device& dev) {
    lcd_clear(dev);
    dev.draw.cursor = DrawCursor{};
}

void draw_rect(Device& dev, std::uint8_t width, std::uint8_t height, RectMode mode) {
    DrawCursor& c = dev.draw.cursor;
    // The row counter is a byte like the cursor: a rectangle that runs past row 63 carries on
    // in page 0, because the controller keeps page numbers mod 8.
    std::uint8_t y = c.y;
    std::uint8_t remaining = height;
    std::uint8_t mask = static_cast<std::uint8_t>(~((1u << (y % 8)) - 1u));
    while (remaining != 0) {
        const unsigned bit = y % 8u;
        const unsigned end = bit + remaining;
        unsigned rows = 8 - bit;
        if (end < 8) {
            mask = static_cast<std::uint8_t>(mask & ((1u << end) - 1u));
            rows = end - bit;
        }
        lcd_set_address(dev, c.x, static_cast<std::uint8_t>(y / 8));
        // A mode outside the three leaves the memory alone.
        if (mode == RECT_CLEAR || mode == RECT_SET || mode == RECT_INVERT) {
            for (unsigned i = 0; i < width; ++i) {
                const std::uint8_t b = lcd_read(dev);
                std::uint8_t out = b;
                if (mode == RECT_CLEAR) out = static_cast<std::uint8_t>(b & ~mask);
                if (mode == RECT_SET) out = static_cast<std::uint8_t>(b | mask);
                if (mode == RECT_INVERT) out = static_cast<std::uint8_t>(b ^ mask);
                lcd_write(dev, out);
            }
        }
        y = static_cast<std::uint8_t>(y + rows);
        remaining = static_cast<std::uint8_t>(remaining - rows);
        mask = 0xFF;
    }
    c.x = static_cast<std::uint8_t>((c.x + width) % 128);
    c.y = static_cast<std::uint8_t>((c.y + height) % 8);
}

void blit_xor(Device& dev, std::uint8_t width, std::uint8_t height, const std::uint8_t* bitmap) {
    DrawState& d = dev.draw;
    // No bitmap is wider than the panel; a wider request would run past the carry buffer.
    if (width > d.carry.size()) width = static_cast<std::uint8_t>(d.carry.size());
    const unsigned shift = d.cursor.y % 8u;
    const unsigned first_page = d.cursor.y / 8u;
    const unsigned bands = (height + 7u) / 8u;
    for (unsigned i = 0; i < width; ++i)
        d.carry[i] = 0;
    for (unsigned k = 0; k < bands; ++k) {
        lcd_set_address(dev, d.cursor.x, static_cast<std::uint8_t>(first_page + k));
        for (unsigned i = 0; i < width; ++i) {
            const unsigned v = static_cast<unsigned>(bitmap[k * width + i]) << shift;
            const auto out = static_cast<std::uint8_t>((v & 0xFFu) | d.carry[i]);
            d.carry[i] = static_cast<std::uint8_t>(v >> 8);
            lcd_write(dev, static_cast<std::uint8_t>(lcd_read(dev) ^ out));
        }
    }
    // The carried bits go into the page below, a pass made even when nothing was carried.
    lcd_set_address(dev, d.cursor.x, static_cast<std::uint8_t>(first_page + bands));
    for (unsigned i = 0; i < width; ++i)
        lcd_write(dev, static_cast<std::uint8_t>(lcd_read(dev) ^ d.carry[i]));
}

} // namespace ql
