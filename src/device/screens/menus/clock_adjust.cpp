#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/clocks.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/message_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/languages.hpp"
#include "device/ui/number_editor.hpp"
#include "resources/service_icons.hpp"

namespace ql {

namespace {

constexpr std::uint8_t ERROR_ICON_Y = 8;

const Message ADJUST_TEXT{
    {35, {"Adjust Clock", "(24hr)"}},       {35, {"R\xE9gla. de l'horloge", "(24 heures)"}},
    {35, {"Regolazione ora", "(24h)"}},     {35, {"Ajustar reloj", "(24h)"}},
    {35, {"Zeit einstellen", "(24 Std.)"}},
};

const Message ERROR_TEXT{
    {32, {"Error : Invalid", "time entered."}},
    {32,
     {"Erreur : heure pro-", "gramm\xE9"
                             "e invalide."}},
    {32, {"Errore : Inserita", "ora non valida."}},
    {32, {"Error : hora intro-", "ducida no v\xE1lida."}},
    {32, {"Fehler : Eingege-", "bene Zeit ung\xFCltig."}},
};

// Hours and minutes of the clock; the seconds start from 00.
void load_clock(Device& dev, char* text) {
    Clock now;
    read_clock(dev, now);
    const char* digits = format_decimal(dev, now.hours * 100 + now.minutes, 4, 0, FMT_ZERO_PAD);
    text[0] = digits[0];
    text[1] = digits[1];
    text[2] = ':';
    text[3] = digits[2];
    text[4] = digits[3];
    text_copy(text + 5, ":00");
}

// Before a tens digit changes it is moved so that the step lands inside its range: hours
// 0-2, minutes and seconds 0-5.
void limit_step(Device& dev, bool up) {
    const std::uint8_t pos = numedit_position(dev);
    char& ch = dev.screens.setup.clock_edit_text[pos];
    char top = '\0';
    if (pos == 0)
        top = '2';
    else if (pos == 3 || pos == 6)
        top = '5';
    else
        return;
    if (up && ch == top) ch = '9';
    if (!up && ch == '0') ch = static_cast<char>(top + 1);
}

void leave_for_trip(Device& dev) {
    dev.screens.setup.clock_edit_retry = false;
    change_screen(dev, MainTripScreen);
}

void validate_and_set(Device& dev) {
    std::int32_t v = 0;
    numedit_value(dev, v);
    Clock time;
    time.fraction = 0;
    time.seconds = static_cast<std::uint8_t>(v % 100);
    time.minutes = static_cast<std::uint8_t>(v / 100 % 100);
    const std::int32_t hours = v / 10000;
    if (hours < 24) {
        time.hours = static_cast<std::uint8_t>(hours);
        set_clock(dev, time);
        leave_for_trip(dev);
    } else {
        dev.screens.setup.clock_edit_retry = true;
        change_screen(dev, ClockErrorScreen);
    }
}

void adjust_enter(Device& dev) {
    SetupScreenState& s = dev.screens.setup;
    lcd_clear(dev);
    draw_side_bars(dev);
    draw_message(dev, ADJUST_TEXT);
    if (!s.clock_edit_retry) load_clock(dev, s.clock_edit_text);
    numedit_open(dev, NUMEDIT_MEDIUM, 22, 13, s.clock_edit_text);
}

void adjust_handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: adjust_enter(dev); break;
    case key_press(Button::TopLeft):
        if (!numedit_prev(dev)) leave_for_trip(dev);
        break;
    case key_press(Button::BottomLeft):
        if (!numedit_next(dev)) validate_and_set(dev);
        break;
    case key_press(Button::BottomRight):
        limit_step(dev, false);
        numedit_decrement(dev);
        break;
    case key_press(Button::TopRight):
        limit_step(dev, true);
        numedit_increment(dev);
        break;
    default: break;
    }
}

const MessageScreenLayout ERROR{&ResultCrossIcon, ERROR_ICON_Y, Legend::Back, &ClockAdjustScreen,
                                &ERROR_TEXT};

} // namespace

QL_DEFINE_SCREEN(ClockAdjustScreen, adjust_handle);
QL_DEFINE_SCREEN(ClockErrorScreen, message_screen<ERROR>);

} // namespace ql
