#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/common/number_entry.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "device/settings/units.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

// ---- the list

constexpr Toggle ALARM{SWITCH_OFF, SWITCH_ON,
                       [](Device& dev) { return get_alarm_enabled(dev) != 0; },
                       [](Device& dev, bool on) { set_alarm_enabled(dev, on ? 1 : 0); }};

const ListRow ALARM_ROWS[] = {
    {{"Set Speed", "R\xE9gla. Vitesse", "Imp. Velocit\xE0", "Ajust. Velocidad", "Geschwindig."},
     &AlarmSpeedScreen,
     nullptr,
     list_submenu_marker},
    toggle_row<ALARM>({"Alarm", "Alarme", "Allarme", "Alarma", "Alarm"}),
};

constexpr ListScreenTable ALARM_LIST = list_table(BellTitleIcon, ALARM_ROWS, MainMenuScreen,
                                                  list_slot<ListSlot::SpeedAlarmScreenSlot>);

// ---- the threshold

constexpr Texts FIRST_LINE = {"Alarm Speed", "Vitesse de", "Allarme Velocit\xE0", "Velocidad de",
                              "Geschwindigkeit"};
constexpr Texts SECOND_LINE_KM = {"(kph)", "l'Alarme (km/h)", "(kph)", "Alarma (k/h)", "(km/h)"};
constexpr Texts SECOND_LINE_MILES = {"(mph)", "l'Alarme (mi/h)", "(mph)", "Alarma (m/h)", "(mi/h)"};

constexpr std::uint8_t DIGITS_X = 45;
constexpr std::uint8_t DIGITS_Y = 11;
constexpr std::int32_t HIGHEST = 999; // three digits, in km/h as stored and as shown

void speed_enter(Device& dev) {
    char* digits = dev.screens.setup.alarm_speed_text;
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_top_left(dev, legend_word(dev, Legend::Back));
    legend_bottom_left(dev, legend_word(dev, Legend::Edit));
    text_draw_at(dev, 64, 35, ALIGN_CENTRE, tr(dev, FIRST_LINE));
    text_draw_at(dev, 64, 48, ALIGN_CENTRE,
                 tr(dev, in_miles(dev) ? SECOND_LINE_MILES : SECOND_LINE_KM));
    std::int32_t s = get_alarm_speed(dev);
    if (in_miles(dev)) km_to_miles(s);
    // A threshold beyond the three digits shows as the highest they hold.
    std::int32_t n = (s + 5) / 10;
    if (n > HIGHEST) n = HIGHEST;
    text_copy(digits, format_decimal(dev, n, 3, 0, FMT_ZERO_PAD));
    move_to(dev, DIGITS_X, DIGITS_Y);
    digits_draw_large(dev, digits);
}

void speed_handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: speed_enter(dev); break;
    case key_press(Button::TopLeft): change_screen(dev, SpeedAlarmScreen); break;
    case key_press(Button::BottomLeft): change_screen(dev, AlarmSpeedEntryScreen); break;
    default: break;
    }
}

// ---- the editor, over the threshold screen

void load_digits(Device& dev, char* text) {
    text_copy(text, dev.screens.setup.alarm_speed_text);
}

// Whole units typed; stored as whole km/h in tenths.
void store_speed(Device& dev, std::int32_t value, bool) {
    std::int32_t v = value;
    if (in_miles(dev)) miles_to_km(v);
    if (v > HIGHEST) v = HIGHEST;
    set_alarm_speed(dev, static_cast<std::uint16_t>(v * 10));
    change_screen(dev, AlarmSpeedScreen);
}

const NumberEntryLayout SPEED_ENTRY{NUMEDIT_LARGE, DIGITS_X, DIGITS_Y, load_digits,      nullptr,
                                    store_speed,   0,        HIGHEST,  &AlarmSpeedScreen};

void entry_handle(Device& dev, std::uint8_t event) {
    if (event == EV_ENTER) {
        // The screen below stays; only its number makes way for the editor's.
        move_to(dev, DIGITS_X, DIGITS_Y);
        draw_rect(dev, 39, 17, RECT_CLEAR);
    }
    number_entry_handle(dev, SPEED_ENTRY, event);
}

} // namespace

QL_DEFINE_SCREEN(SpeedAlarmScreen, list_screen<ALARM_LIST>);
QL_DEFINE_SCREEN(AlarmSpeedScreen, speed_handle);
QL_DEFINE_SCREEN(AlarmSpeedEntryScreen, entry_handle);

} // namespace ql
