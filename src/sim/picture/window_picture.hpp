#pragma once
#include "device/device.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "sim/picture/image.hpp"
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ql {

// The simulator window's client area: the faceplate with a margin, and the status line below.
inline constexpr int WINDOW_WIDTH = 500;
inline constexpr int WINDOW_HEIGHT = 280;
inline constexpr Rgb WINDOW_BACKGROUND{255, 255, 255};

// A status text: where it is drawn, and the area holding its number, which is cleared before
// each repaint so that a shorter number leaves nothing of a longer one behind.
struct StatusTextPlace {
    int x, y;
    int clear_left, clear_top, clear_right, clear_bottom; // inclusive
};
inline constexpr StatusTextPlace SPEED_TEXT_PLACE{20, 257, 58, 256, 107, 271};
inline constexpr StatusTextPlace FUEL_TEXT_PLACE{160, 257, 190, 256, 209, 271};

// A rectangle of window pixels.
struct PictureArea {
    int x, y, width, height;
    friend constexpr bool operator==(const PictureArea&, const PictureArea&) = default;
};

// The window's client area as it should look. The LCD's memory and the status texts are the
// truth; the picture is made from them only when someone looks at it, and then only where they
// changed since it was last made. Until then a change costs a flag.
class WindowPicture {
  public:
    // The next update draws everything again: a new window, or one that lost its contents.
    void redraw_all() { whole_ = true; }
    void lcd_written() { lcd_written_ = true; }
    void status_changed() { status_changed_ = true; }
    // The live window and the page show the device's button that is down pressed into the
    // faceplate; the headless pictures (screenshots, scripts' recordings) do not.
    void show_pressed_buttons(bool on) { pressed_look_ = on; }
    // True when the next update from `dev` may draw something.
    bool stale(const Device& dev) const {
        return whole_ || lcd_written_ || status_changed_ || pressed_of(dev) != shown_pressed_;
    }

    // Counts the updates that may have drawn something, whoever asked for them: a recorder
    // that did not make the last one learns from it that the picture may have changed.
    std::uint64_t updates() const { return updates_; }

    // Brings the picture of `dev`'s panel, its buttons and the status texts up to date and
    // returns it; the areas it drew go to changes().
    const RgbImage& update(const Device& dev, const std::string& speed_text,
                           const std::string& fuel_text);

    // Where the picture changed since the front end last showed it: the whole window first,
    // or the panel's changed dots and the status texts, each at most once.
    const std::vector<PictureArea>& changes() const { return changes_; }
    void changes_shown() { changes_.clear(); }

  private:
    std::uint64_t updates_ = 0;
    void draw_panel(const LcdPanel& lcd, bool every_byte);
    void draw_status(const std::string& speed_text, const std::string& fuel_text);
    void note_change(const PictureArea& area);
    void draw_pressed();
    // The index 0-3 of the button to show pressed, or -1 for none.
    int pressed_of(const Device& dev) const;

    RgbImage image_;
    std::array<std::uint8_t, LCD_COLUMNS * LCD_PAGES> shown_{}; // the panel bytes image_ shows
    std::vector<PictureArea> changes_;
    bool whole_ = true;
    bool lcd_written_ = false;
    bool status_changed_ = false;
    bool pressed_look_ = false;
    int pressed_ = -1;       // the button to show pressed
    int shown_pressed_ = -1; // the button image_ shows pressed
};

} // namespace ql
