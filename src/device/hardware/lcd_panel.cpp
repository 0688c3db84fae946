#include "device/hardware/lcd_panel.hpp"
#include "device/device.hpp"

namespace ql {

void lcd_set_address(Device& dev, std::uint8_t column, std::uint8_t page) {
    dev.lcd.address_outside = column >= LCD_COLUMNS || page >= LCD_PAGES;
    dev.lcd.column = column & 0x7F;
    dev.lcd.page = page & 0x07;
    dev.lcd.last_column_written = false;
}

void lcd_write(Device& dev, std::uint8_t data) {
    LcdPanel& lcd = dev.lcd;
    std::uint8_t& byte =
        lcd.frame_memory[static_cast<std::size_t>(lcd.column * LCD_PAGES + lcd.page)];
    const bool past_right_edge = lcd.column == LCD_COLUMNS - 1 && lcd.last_column_written;
    if ((lcd.address_outside || past_right_edge) && byte != data) ++lcd.out_of_range_writes;
    if (lcd.column == LCD_COLUMNS - 1) lcd.last_column_written = true;
    byte = data;
    if (lcd.sink != nullptr) lcd.sink->paint_byte(lcd.column, lcd.page, data);
    // The column stops at the right edge: further writes overwrite column 127.
    if (lcd.column < LCD_COLUMNS - 1) ++lcd.column;
}

std::uint8_t lcd_read(const Device& dev) {
    return frame_byte(dev.lcd, dev.lcd.column, dev.lcd.page);
}

void lcd_init(Device& dev) {
    dev.lcd.column = 0;
    dev.lcd.page = 0;
    dev.lcd.colours_ready = true;
    dev.lcd.last_column_written = false;
    dev.lcd.address_outside = false;
}

void lcd_paint_all(const Device& dev, PaintSink& sink) {
    for (int column = 0; column < LCD_COLUMNS; ++column)
        for (int page = 0; page < LCD_PAGES; ++page)
            sink.paint_byte(static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(page),
                            frame_byte(dev.lcd, column, page));
}

void lcd_release(Device& dev) {
    dev.lcd.colours_ready = false;
}

} // namespace ql
