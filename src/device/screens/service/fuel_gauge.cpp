#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/unit_words.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "device/settings/units.hpp"
#include "resources/icons.hpp"
#include "resources/service_icons.hpp"

namespace ql {

namespace {

// The gauge shows the trip page's fuel pump: same size, same subject.
constexpr const auto& FuelPumpIcon = PageFuelPumpIcon;

// The word inside the empty bar and where it goes, centred on column 64.
struct EmptyWord {
    const std::uint8_t* bitmap;
    std::uint8_t width;
    std::uint8_t x;
};
constexpr PerLanguage<EmptyWord> EMPTY_WORDS = {
    {EmptyWordEnglish.data(), EmptyWordEnglish.width, 49},
    {EmptyWordFrench.data(), EmptyWordFrench.width, 57},
    {EmptyWordItalian.data(), EmptyWordItalian.width, 53},
    {EmptyWordSpanish.data(), EmptyWordSpanish.width, 54},
    {EmptyWordGerman.data(), EmptyWordGerman.width, 56},
};
constexpr std::uint8_t EMPTY_WORD_Y = 49;
constexpr std::uint8_t EMPTY_WORD_HEIGHT = 5;

constexpr std::uint8_t NUMBER_X = 31;
constexpr std::uint8_t NUMBER_Y = 10;
// The frame's inside and the bar within it.
constexpr std::uint8_t INSIDE_X = 20;
constexpr std::uint8_t INSIDE_Y = 47;
constexpr std::uint8_t BAR_X = 21;
constexpr std::uint8_t BAR_Y = 48;
constexpr std::uint8_t BAR_HEIGHT = 7;
constexpr std::uint8_t BAR_FULL = 87;

void clear_inside(Device& dev) {
    move_to(dev, INSIDE_X, INSIDE_Y);
    draw_rect(dev, 89, 9, RECT_CLEAR);
    dev.screens.service.gauge_bar_length = 0;
}

// Tenths of the user's unit: gallons to the tenth, litres to the nearest half litre.
std::int32_t shown_tenths(Device& dev, std::uint16_t volume) {
    if (get_fuel_unit(dev) == FuelUnit::Gallons) {
        std::uint16_t g = volume;
        litres_to_gallons(g);
        const std::int32_t t = (g + 5) / 10;
        return t > 999 ? 999 : t;
    }
    const std::int32_t q = (volume + 5) / 10;
    const std::int32_t r = q % 10;
    std::int32_t t = q - r;
    if (r >= 8)
        t += 10;
    else if (r >= 3)
        t += 5;
    return t > 9999 ? 9999 : t;
}

void update(Device& dev) {
    ServiceScreenState& s = dev.screens.service;
    const std::uint16_t v = get_fuel_volume(dev);

    move_to(dev, NUMBER_X, NUMBER_Y);
    digits_update_large(dev, s.gauge_shown_text,
                        format_decimal(dev, shown_tenths(dev, v), 3, 1, FMT_NONE));

    if (!s.gauge_empty_shown && v == 0) {
        clear_inside(dev);
        const EmptyWord& word = tr(dev, EMPTY_WORDS);
        move_to(dev, word.x, EMPTY_WORD_Y);
        blit_xor(dev, word.width, EMPTY_WORD_HEIGHT, word.bitmap);
        s.gauge_empty_shown = true;
    } else if (s.gauge_empty_shown && v != 0) {
        clear_inside(dev);
        s.gauge_empty_shown = false;
    }

    std::uint32_t e = 0;
    if (s.gauge_full_volume != 0) e = std::uint32_t{v} * BAR_FULL / s.gauge_full_volume;
    // A table whose volumes do not rise to its last point could ask for more than a full
    // bar; the bar stops at the frame.
    if (e > BAR_FULL) e = BAR_FULL;
    const auto length = static_cast<std::uint8_t>(e);
    if (length > s.gauge_bar_length) {
        move_to(dev, static_cast<std::uint8_t>(BAR_X + s.gauge_bar_length), BAR_Y);
        draw_rect(dev, static_cast<std::uint8_t>(length - s.gauge_bar_length), BAR_HEIGHT,
                  RECT_SET);
    } else if (length < s.gauge_bar_length) {
        move_to(dev, static_cast<std::uint8_t>(BAR_X + length), BAR_Y);
        draw_rect(dev, static_cast<std::uint8_t>(s.gauge_bar_length - length), BAR_HEIGHT,
                  RECT_CLEAR);
    }
    s.gauge_bar_length = length;
}

std::uint16_t full_scale(Device& dev) {
    FuelTable table;
    read_fuel_table(dev, table);
    int k = table.count;
    if (k < 0) k = -k;
    if (k == 0) return 0;
    // A count beyond the ten points uses ten, as the sender does.
    if (k > FUEL_TABLE_POINTS) k = FUEL_TABLE_POINTS;
    return table.volumes[static_cast<std::size_t>(k - 1)];
}

void enter(Device& dev) {
    ServiceScreenState& s = dev.screens.service;
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_top_left(dev, legend_word(dev, Legend::Back));
    move_to(dev, 95, 13);
    blit_picture(dev, FuelPumpIcon);
    text_draw_at(dev, 89, 31, ALIGN_RIGHT, tr(dev, in_gallons(dev) ? GALLONS : LITRES));
    fill_blanks(s.gauge_shown_text, 5);
    s.gauge_full_volume = full_scale(dev);
    move_to(dev, 19, 46);
    draw_rect(dev, 91, 11, RECT_SET);
    move_to(dev, INSIDE_X, INSIDE_Y);
    draw_rect(dev, 89, 9, RECT_CLEAR);
    s.gauge_bar_length = 0;
    s.gauge_empty_shown = false;
    update(dev);
}

void handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: enter(dev); break;
    case EV_TICK_250MS: update(dev); break;
    case key_press(Button::TopLeft): change_screen(dev, MainMenuScreen); break;
    default: break;
    }
}

} // namespace

QL_DEFINE_SCREEN(FuelGaugeScreen, handle);

} // namespace ql
