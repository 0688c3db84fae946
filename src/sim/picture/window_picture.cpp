#include "sim/picture/window_picture.hpp"
#include "device/hardware/buttons.hpp"
#include "sim/picture/faceplate.hpp"
#include "sim/picture/status_text.hpp"
#include <algorithm>
#include <cstring>

namespace ql {

namespace {

constexpr PictureArea WHOLE_WINDOW{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT};
constexpr int PANEL_WIDTH = LCD_DOT_SIZE * LCD_COLUMNS;
constexpr int PANEL_HEIGHT = LCD_DOT_SIZE * LCD_ROWS;
constexpr PictureArea PANEL{LCD_WINDOW_X, LCD_WINDOW_Y, PANEL_WIDTH, PANEL_HEIGHT};

constexpr PictureArea cleared_area(const StatusTextPlace& place) {
    return {place.clear_left, place.clear_top, place.clear_right - place.clear_left + 1,
            place.clear_bottom - place.clear_top + 1};
}

bool inside(const PictureArea& inner, const PictureArea& outer) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

PictureArea united(const PictureArea& a, const PictureArea& b) {
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.width, b.x + b.width);
    const int bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}

// One byte of panel memory: a column of eight dots, bit 0 on top, each a square of pixels. The
// panel lies wholly inside the window.
void draw_byte(RgbImage& image, int column, int page, std::uint8_t data) {
    const int x = LCD_WINDOW_X + LCD_DOT_SIZE * column;
    const int top = LCD_WINDOW_Y + LCD_DOT_SIZE * 8 * page;
    for (int row = 0; row < LCD_DOT_SIZE * 8; ++row) {
        const Rgb c = ((data >> (row / LCD_DOT_SIZE)) & 1) != 0 ? LCD_ON_COLOUR : LCD_OFF_COLOUR;
        std::uint8_t* p = &image.rgb[static_cast<std::size_t>((top + row) * image.width + x) * 3];
        for (int i = 0; i < LCD_DOT_SIZE; ++i, p += 3) {
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    }
}

void draw_status_text(RgbImage& image, const StatusTextPlace& place, const std::string& text) {
    const PictureArea clear = cleared_area(place);
    image.fill_rect(clear.x, clear.y, clear.width, clear.height, WINDOW_BACKGROUND);
    draw_status_text(image, place.x, place.y, text);
}

} // namespace

const RgbImage& WindowPicture::update(const Device& dev, const std::string& speed_text,
                                      const std::string& fuel_text) {
    const LcdPanel& lcd = dev.lcd;
    if (stale(dev)) ++updates_;
    pressed_ = pressed_of(dev);
    if (whole_) {
        if (image_.width == 0) image_ = RgbImage(WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_BACKGROUND);
        image_.fill_rect(0, 0, WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_BACKGROUND);
        image_.paste(faceplate_picture(), FACEPLATE_X, FACEPLATE_Y);
        draw_panel(lcd, true);
        draw_status(speed_text, fuel_text);
        changes_.assign(1, WHOLE_WINDOW);
    } else {
        if (lcd_written_) draw_panel(lcd, false);
        if (status_changed_) draw_status(speed_text, fuel_text);
    }
    if (whole_) shown_pressed_ = -1;
    if (pressed_ != shown_pressed_) draw_pressed();
    whole_ = lcd_written_ = status_changed_ = false;
    return image_;
}

void WindowPicture::draw_panel(const LcdPanel& lcd, bool every_byte) {
    if (!every_byte && std::memcmp(shown_.data(), lcd.frame_memory.data(), shown_.size()) == 0)
        return;
    int first = LCD_COLUMNS, last = -1, top = LCD_PAGES, bottom = -1;
    for (int column = 0; column < LCD_COLUMNS; ++column)
        for (int page = 0; page < LCD_PAGES; ++page) {
            const auto i = static_cast<std::size_t>(column * LCD_PAGES + page);
            const std::uint8_t data = lcd.frame_memory[i];
            if (!every_byte && data == shown_[i]) continue;
            draw_byte(image_, column, page, data);
            shown_[i] = data;
            first = std::min(first, column);
            last = std::max(last, column);
            top = std::min(top, page);
            bottom = std::max(bottom, page);
        }
    note_change({LCD_WINDOW_X + LCD_DOT_SIZE * first, LCD_WINDOW_Y + LCD_DOT_SIZE * 8 * top,
                 LCD_DOT_SIZE * (last - first + 1), LCD_DOT_SIZE * 8 * (bottom - top + 1)});
}

void WindowPicture::draw_status(const std::string& speed_text, const std::string& fuel_text) {
    draw_status_text(image_, SPEED_TEXT_PLACE, speed_text);
    draw_status_text(image_, FUEL_TEXT_PLACE, fuel_text);
    note_change(cleared_area(SPEED_TEXT_PLACE));
    note_change(cleared_area(FUEL_TEXT_PLACE));
}

int WindowPicture::pressed_of(const Device& dev) const {
    if (!pressed_look_ || !dev.buttons.pressed) return -1;
    return static_cast<int>(button_index(dev.buttons.button));
}

// The button's face darkened and shifted down by a pixel, as a key pressed into the panel;
// released, the faceplate's own drawing comes back.
void WindowPicture::draw_pressed() {
    if (shown_pressed_ >= 0) {
        const ButtonRegion r = button_region(shown_pressed_);
        const PictureArea area{r.left, r.top, r.right - r.left, r.bottom - r.top};
        const RgbImage& face = faceplate_picture();
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x)
                image_.set(x, y, face.at(x - FACEPLATE_X, y - FACEPLATE_Y));
        note_change(area);
    }
    if (pressed_ >= 0) {
        const ButtonRegion r = button_region(pressed_);
        const PictureArea area{r.left, r.top, r.right - r.left, r.bottom - r.top};
        const RgbImage& face = faceplate_picture();
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x) {
                const int from_y = std::max(area.y, y - 1);
                const Rgb c = face.at(x - FACEPLATE_X, from_y - FACEPLATE_Y);
                image_.set(x, y,
                           Rgb{static_cast<std::uint8_t>(c.r * 3 / 5),
                               static_cast<std::uint8_t>(c.g * 3 / 5),
                               static_cast<std::uint8_t>(c.b * 3 / 5)});
            }
        note_change(area);
    }
    shown_pressed_ = pressed_;
}

void WindowPicture::note_change(const PictureArea& area) {
    for (PictureArea& known : changes_) {
        if (inside(area, known)) return;
        // The panel's changes are kept as one area around them all.
        if (inside(area, PANEL) && inside(known, PANEL)) {
            known = united(known, area);
            return;
        }
    }
    changes_.push_back(area);
}

} // namespace ql
