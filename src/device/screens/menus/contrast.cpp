#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/text.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

constexpr std::uint8_t CONTRAST_MAX = 63;
// The bar grows from its left end to its full width at the highest contrast.
struct BarPlace {
    std::uint8_t x, y, height, full_width;
};
constexpr BarPlace BAR{21, 33, 6, 87};
// Where the percentage is written.
struct TextPlace {
    std::uint8_t x, y;
};
constexpr TextPlace PERCENT{60, 15};

// Sets the columns the bar gained or clears those it lost since it was last drawn.
void draw_bar(Device& dev, std::uint8_t value) {
    SettingsScreenState& s = dev.screens.settings;
    if (value > CONTRAST_MAX) value = CONTRAST_MAX;
    const auto width = static_cast<std::uint8_t>(value * BAR.full_width / CONTRAST_MAX);
    if (width > s.contrast_bar_width) {
        move_to(dev, static_cast<std::uint8_t>(BAR.x + s.contrast_bar_width), BAR.y);
        draw_rect(dev, static_cast<std::uint8_t>(width - s.contrast_bar_width), BAR.height,
                  RECT_SET);
    } else if (width < s.contrast_bar_width) {
        move_to(dev, static_cast<std::uint8_t>(BAR.x + width), BAR.y);
        draw_rect(dev, static_cast<std::uint8_t>(s.contrast_bar_width - width), BAR.height,
                  RECT_CLEAR);
    }
    s.contrast_bar_width = width;
}

// 0-100 without leading zeros, then "%".
void draw_percentage(Device& dev, std::uint8_t value) {
    if (value > CONTRAST_MAX) value = CONTRAST_MAX;
    const auto percent = static_cast<std::uint8_t>(value * 100 / CONTRAST_MAX);
    char text[5] = {};
    std::size_t n = 0;
    if (percent >= 100) text[n++] = static_cast<char>('0' + percent / 100);
    if (percent >= 10) text[n++] = static_cast<char>('0' + percent / 10 % 10);
    text[n++] = static_cast<char>('0' + percent % 10);
    text[n] = '%';
    move_to(dev, PERCENT.x, PERCENT.y);
    draw_rect(dev, 32, 10, RECT_CLEAR);
    text_draw_at(dev, PERCENT.x, PERCENT.y, ALIGN_LEFT, text);
}

void show(Device& dev) {
    const std::uint8_t value = dev.screens.settings.contrast_value;
    draw_bar(dev, value);
    draw_percentage(dev, value);
}

void enter(Device& dev) {
    SettingsScreenState& s = dev.screens.settings;
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_top_left(dev, legend_word(dev, Legend::Back));
    legend_bottom_right(dev, legend_symbol(LegendSymbol::Left));
    legend_top_right(dev, legend_symbol(LegendSymbol::Right));
    move_to(dev, 19, 31);
    draw_rect(dev, 91, 10, RECT_SET);
    move_to(dev, 20, 32);
    draw_rect(dev, 89, 8, RECT_CLEAR);
    s.contrast_bar_width = 0;
    move_to(dev, 45, 15);
    blit_picture(dev, ContrastSymbol);
    s.contrast_value = get_contrast(dev);
    show(dev);
}

// The display follows every step, also one pressed at the limit.
void change(Device& dev, bool up) {
    std::uint8_t& value = dev.screens.settings.contrast_value;
    if (up && value < CONTRAST_MAX) ++value;
    if (!up && value > 0) --value;
    apply_hardware_setting(dev, value);
    show(dev);
}

void handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: enter(dev); break;
    case EV_EXIT: set_contrast(dev, dev.screens.settings.contrast_value); break;
    case key_press(BTN_TOP_LEFT): change_screen(dev, SettingsMenuScreen); break;
    case key_press(BTN_BOTTOM_RIGHT): change(dev, false); break;
    case key_press(BTN_TOP_RIGHT): change(dev, true); break;
    default: break;
    }
}

} // namespace

QL_DEFINE_SCREEN(ContrastScreen, handle);

} // namespace ql
