#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/message_screen.hpp"
#include "device/screens/common/number_entry.hpp"
#include "device/screens/screen_list.hpp"
#include "resources/service_icons.hpp"

namespace ql {

namespace {

constexpr std::uint8_t VALUE_X = 30;
constexpr std::uint8_t VALUE_Y = 11;
constexpr std::uint8_t VALUE_WIDTH = 67; // five large digits
constexpr std::uint8_t VALUE_HEIGHT = 17;
constexpr std::uint8_t VALUE_DIGITS = 5;
// The editor reads up to 99999; set_calibration takes 16 bits, so the value is limited first
// and a large entry is stored as the upper limit instead of wrapping.
constexpr std::int32_t TYPED_MAX = 65535;
constexpr std::uint8_t RANGE_ICON_Y = 8;

const Message TITLE{
    {37, {"Calibration Value"}},       {37, {"Valeur de Calibrage"}}, {37, {"Valore Calibratura"}},
    {37, {"Valor de calibraci\xF3n"}}, {37, {"Kalibrierungswert"}},
};
const Message UNIT_KM{
    {50, {"(pulse/km)"}}, {50, {"(impulsion/km)"}}, {50, {"(impulsi/km)"}},
    {50, {"(pulso/km)"}}, {50, {"(impuls/km)"}},
};
const Message UNIT_MILES{
    {50, {"(pulse/mile)"}},  {50, {"(impulsion/mi)"}}, {50, {"(impulsi/miglio)"}},
    {50, {"(pulso/milla)"}}, {50, {"(impuls/meile)"}},
};
const Message RANGE_TEXT{
    {32, {"Requested value", "out of range."}},
    {32,
     {"La valeur demand\xE9"
      "e",
      "est hors plage."}},
    {32, {"Valore richiesto", "fuori gamma."}},
    {32, {"Valor solicitado", "fuera de rango."}},
    {37, {"Ung\xFCltiger Wert"}},
};

// The calibration in the user's unit as five digits with leading zeros, in TextScratch.
char* format_value(Device& dev) {
    return format_decimal(dev, get_calibration(dev, get_distance_unit(dev)), VALUE_DIGITS, 0,
                          FMT_ZERO_PAD);
}

void value_handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER:
        lcd_clear(dev);
        draw_side_bars(dev);
        legend_top_left(dev, legend_word(dev, Legend::Back));
        legend_bottom_left(dev, legend_word(dev, Legend::Edit));
        draw_message(dev, TITLE);
        draw_message(dev, get_distance_unit(dev) == DistanceUnit::Miles ? UNIT_MILES : UNIT_KM);
        move_to(dev, VALUE_X, VALUE_Y);
        digits_draw_large(dev, format_value(dev));
        break;
    case key_press(BTN_TOP_LEFT): change_screen(dev, CalibrationMenuScreen); break;
    case key_press(BTN_BOTTOM_LEFT): change_screen(dev, CalValueEditScreen); break;
    default: break;
    }
}

void edit_load(Device& dev, char* text) {
    text_copy(text, format_value(dev));
}

void edit_accept(Device& dev, std::int32_t typed, bool) {
    const bool clamped =
        set_calibration(dev, get_distance_unit(dev), static_cast<std::uint16_t>(typed));
    const std::uint16_t per_km = get_calibration(dev, DistanceUnit::Kilometres);
    set_pulses_per_km(dev, per_km);
    set_pulses_per_km(dev, per_km);
    change_screen(dev, clamped ? CalValueRangeScreen : CalValueScreen);
}

const NumberEntryLayout EDIT{NUMEDIT_LARGE, VALUE_X, VALUE_Y,   edit_load,      nullptr,
                             edit_accept,   0,       TYPED_MAX, &CalValueScreen};

// Drawn over the value screen: only the number is replaced by the editor.
void edit_handle(Device& dev, std::uint8_t event) {
    if (event == EV_ENTER) {
        move_to(dev, VALUE_X, VALUE_Y);
        draw_rect(dev, VALUE_WIDTH, VALUE_HEIGHT, RECT_CLEAR);
    }
    number_entry_handle(dev, EDIT, event);
}

const MessageScreenLayout RANGE{&ResultWarnIcon, RANGE_ICON_Y, Legend::Ok, &CalValueScreen,
                                &RANGE_TEXT};

} // namespace

QL_DEFINE_SCREEN(CalValueScreen, value_handle);
QL_DEFINE_SCREEN(CalValueEditScreen, edit_handle);
QL_DEFINE_SCREEN(CalValueRangeScreen, message_screen<RANGE>);

} // namespace ql
