#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/message_screen.hpp"
#include "device/screens/common/number_entry.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "device/settings/units.hpp"
#include "resources/service_icons.hpp"

namespace ql {

namespace {

constexpr std::uint8_t TELEMETRY_FUEL = 0x08;
constexpr std::uint8_t READING_MAX = 255;

constexpr std::uint8_t AMOUNT_X = 35;
constexpr std::uint8_t AMOUNT_Y = 11;
// Litres are typed as 000.0 to 499.9, gallons as 00.00 to 99.99.
constexpr std::int32_t TYPED_MAX = 9999;
constexpr std::uint16_t LITRES_TENTHS_TO_HUNDREDTHS = 10;

constexpr std::uint8_t POINT_LABEL_X = 101;
constexpr std::uint8_t POINT_LABEL_Y = 53;
constexpr std::uint8_t QUESTION_ICON_Y = 8;
constexpr std::uint8_t DONE_ICON_Y = 12;
constexpr std::uint8_t ERROR_ICON_Y = 4;
constexpr std::uint8_t DECREASE_ICON_Y_ENGLISH = 8;

const Message EMPTY_TEXT{
    {14, {"Ensure fuel tank", "is empty and", "press OK."}},
    {14, {"V\xE9rifier r\xE9servoir", "vide et appuyer", "sur OK."}},
    {14, {"Verifica che il", "serbatoio sia vuoto", "e premi OK."}},
    {14, {"Compruebe que", "el dep\xF3sito est\xE1", "vac\xEDo y pulse OK."}},
    {9,
     {"Stellen Sie sicher,", "dass der kraftstoff-", "tank leer ist und",
      "dr\xFC"
      "cken Sie auf OK."}},
};

const Message AMOUNT_PROMPT{
    {37, {"Enter amount of"}}, {37, {"Carburant dans"}},     {37, {"Carburante nel"}},
    {37, {"Combustible en"}},  {37, {"Kraftstoffmenge im"}},
};
const Message AMOUNT_UNIT_LITRES{
    {50, {"fuel in tank (l)."}}, {50, {"r\xE9servoir (l)."}}, {50, {"serbatoio (l)."}},
    {50, {"dep\xF3sito (l)."}},  {50, {"Tank eing. (l)."}},
};
const Message AMOUNT_UNIT_GALLONS{
    {50, {"fuel in tank (gal)."}}, {50, {"r\xE9servoir (gal)."}}, {50, {"serbatoio (gal)."}},
    {50, {"dep\xF3sito (gal)."}},  {50, {"Tank eing. (gal)."}},
};

const Message ADD_TEXT{
    {14, {"Add some fuel", "to the tank and", "press OK."}},
    {14, {"Ajouter carburant", "dans r\xE9servoir et", "appuyer sur OK."}},
    {14, {"Aggiungi carbu-", "rante al serbatoio", "e premi OK."}},
    {14,
     {"A\xF1"
      "ada combustible",
      "en el dep\xF3sito y", "pulse OK."}},
    {7,
     {"Geben Sie etwas", "Kraftstoff in den",
      "Tank und dr\xFC"
      "cken",
      "Sie auf OK."}},
};

const Message FULL_TEXT{
    {32, {"Is the fuel", "tank full?"}},
    {32, {"Est-ce que le r\xE9-", "servoir est plein?"}},
    {32, {"Il serbatoio", "\xE8 pieno?"}},
    {32,
     {"\xBF"
      "Est\xE1 el dep\xF3sito",
      "lleno?"}},
    {32, {"Ist der Kraftstoff-", "tank voll?"}},
};

const Message DONE_TEXT{
    {37, {"Fuel calibrated."}},         {37, {"Carburant calibr\xE9."}},
    {34, {"Carburante", "calibrato."}}, {34, {"Combustible", "calibrado."}},
    {37, {"Kraftstoff kalibriert."}},
};

const Message SIGNAL_TEXT =
    numbered_error({26, {"Error : Invalid fuel", "signal. Refer to", "user's manual."}},
                   "Erreur 04:", "Errore 04:", "Error 04:", "Fehler 04:");

const Message DECREASE_TEXT{
    {32, {"Error : Fuel level", "must increase."}},
    {26, {"Erreur : Le niveau", "de carburant doit", "augmenter."}},
    {26, {"Errore : Liv.", "carburante deve", "aumentare."}},
    {26, {"Error : Debe au-", "mentar el nivel de", "combustible."}},
    {26, {"Fehler :", "Kraftstoffniveau", "ist zu gering."}},
};

const Message MAX_TEXT{
    {26, {"Maximum number", "of set points", "reached."}},
    {26, {"Le nombre max. de", "valeurs de consigne", "a \xE9t\xE9 atteint."}},
    {26, {"Numero max. di", "impostazioni", "raggiunto."}},
    {26, {"Se ha alcanzado el", "no. m\xE1x. de puntos", "establecidos."}},
    {26,
     {"H\xF6"
      "chstzahl der",
      "eingestellten", "Punkte erreicht."}},
};

CalibrationScreenState& state(Device& dev) {
    return dev.screens.calibration;
}

FuelTable& table(Device& dev) {
    return dev.screens.calibration.fuel_cal_table;
}

// The set point being recorded, kept in the table's count while the wizard runs.
std::uint8_t point(Device& dev) {
    return static_cast<std::uint8_t>(table(dev).count);
}
void set_point(Device& dev, std::uint8_t n) {
    table(dev).count = static_cast<std::int8_t>(n);
}

std::uint8_t inverted(std::uint8_t reading) {
    return static_cast<std::uint8_t>(READING_MAX - reading);
}

void empty_handle(Device& dev, std::uint8_t event) {
    FuelTable& t = table(dev);
    switch (event) {
    case EV_ENTER:
        draw_confirm_screen(dev, EMPTY_TEXT);
        t.volumes.fill(0);
        t.readings.fill(0);
        set_point(dev, 0);
        state(dev).fuel_cal_inverted = false;
        break;
    case key_press(BTN_TOP_LEFT): change_screen(dev, CalibrationMenuScreen); break;
    case key_press(BTN_BOTTOM_LEFT):
        t.readings[0] = get_sender_reading(dev);
        change_screen(dev, FuelCalAmountScreen);
        break;
    default: break;
    }
}

// The amount offered: the one already typed for this point, or else the previous point's.
void amount_load(Device& dev, char* text) {
    const FuelTable& t = table(dev);
    const std::uint8_t n = point(dev);
    std::uint16_t volume = t.volumes[n];
    if (n > 0 && volume == 0) volume = t.volumes[n - 1];
    if (in_gallons(dev)) {
        litres_to_gallons(volume);
        text_copy(text, format_decimal(dev, volume, 2, 2, FMT_ZERO_PAD));
    } else {
        text_copy(text,
                  format_decimal(dev, volume / LITRES_TENTHS_TO_HUNDREDTHS, 3, 1, FMT_ZERO_PAD));
    }
}

void amount_draw(Device& dev) {
    draw_message(dev, AMOUNT_PROMPT);
    draw_message(dev, in_gallons(dev) ? AMOUNT_UNIT_GALLONS : AMOUNT_UNIT_LITRES);
}

void amount_accept(Device& dev, std::int32_t typed, bool) {
    FuelTable& t = table(dev);
    const std::uint8_t n = point(dev);
    auto volume = static_cast<std::uint16_t>(typed);
    if (in_gallons(dev))
        gallons_to_litres(volume);
    else
        volume = static_cast<std::uint16_t>(volume * LITRES_TENTHS_TO_HUNDREDTHS);
    t.volumes[n] = volume;
    if (n == 0) {
        set_point(dev, 1);
        change_screen(dev, FuelCalAddScreen);
    } else if (t.volumes[n] < t.volumes[n - 1]) {
        change_screen(dev, FuelCalDecreaseScreen);
    } else {
        set_point(dev, static_cast<std::uint8_t>(n + 1));
        change_screen(dev, FuelCalFullScreen);
    }
}

const NumberEntryLayout AMOUNT{NUMEDIT_LARGE, AMOUNT_X, AMOUNT_Y,  amount_load,        amount_draw,
                               amount_accept, 0,        TYPED_MAX, &FuelCalEmptyScreen};

void amount_handle(Device& dev, std::uint8_t event) {
    char& hundreds = dev.ui.entry_text[0];
    // In litres the hundreds digit runs 0-4 only, wrapping at both ends, so that an amount
    // stays within 499.9 litres.
    const bool on_hundreds = !in_gallons(dev) && numedit_position(dev) == 0;
    switch (event) {
    case EV_ENTER:
        lcd_clear(dev);
        draw_side_bars(dev);
        break;
    case key_press(BTN_TOP_RIGHT):
        if (on_hundreds && hundreds == '4') hundreds = '9';
        break;
    case key_press(BTN_BOTTOM_RIGHT):
        if (on_hundreds && hundreds == '0') hundreds = '5';
        break;
    case key_press(BTN_TOP_LEFT):
        // Back from the first digit: to the empty tank for the first point, else the reading
        // of this point is taken again.
        if (!numedit_prev(dev))
            change_screen(dev, point(dev) == 0 ? FuelCalEmptyScreen : FuelCalAddScreen);
        return;
    default: break;
    }
    number_entry_handle(dev, AMOUNT, event);
}

void add_handle(Device& dev, std::uint8_t event) {
    CalibrationScreenState& cal = state(dev);
    FuelTable& t = table(dev);
    const std::uint8_t n = point(dev);
    switch (event) {
    case EV_ENTER: {
        draw_confirm_screen(dev, ADD_TEXT);
        const char label[] = {'#', static_cast<char>('0' + n), '\0'};
        move_to(dev, POINT_LABEL_X, POINT_LABEL_Y);
        text_draw(dev, label);
        break;
    }
    case key_press(BTN_TOP_LEFT):
        if (n <= 1) {
            change_screen(dev, FuelCalEmptyScreen);
        } else {
            t.volumes[n] = 0;
            change_screen(dev, FuelCalAddScreen);
        }
        set_point(dev, static_cast<std::uint8_t>(n - 1));
        break;
    case key_press(BTN_BOTTOM_LEFT): {
        const std::uint8_t raw = get_sender_reading(dev);
        if (n == 1) {
            // The first addition decides the sender's direction. When it is taken again after
            // going back, the empty-tank reading is first turned back to the raw value, so
            // that the direction is decided afresh and reading 0 stays the empty tank's.
            if (cal.fuel_cal_inverted) {
                t.readings[0] = inverted(t.readings[0]);
                cal.fuel_cal_inverted = false;
            }
            if (raw < t.readings[0]) {
                cal.fuel_cal_inverted = true;
                t.readings[0] = inverted(t.readings[0]);
            }
        }
        t.readings[n] = cal.fuel_cal_inverted ? inverted(raw) : raw;
        change_screen(dev, t.readings[n] > t.readings[n - 1] ? FuelCalAmountScreen
                                                             : FuelCalSignalScreen);
        break;
    }
    default: break;
    }
}

void full_handle(Device& dev, std::uint8_t event) {
    FuelTable& t = table(dev);
    const std::uint8_t n = point(dev);
    switch (event) {
    case EV_ENTER:
        lcd_clear(dev);
        draw_side_bars(dev);
        move_to(dev, RESULT_ICON_X, QUESTION_ICON_Y);
        blit_picture(dev, ResultQuestionIcon);
        legend_top_left(dev, legend_word(dev, Legend::Back));
        legend_bottom_right(dev, legend_word(dev, Legend::No));
        legend_top_right(dev, legend_word(dev, Legend::Yes));
        draw_message(dev, FULL_TEXT);
        break;
    case key_press(BTN_TOP_LEFT):
        set_point(dev, static_cast<std::uint8_t>(n - 1));
        change_screen(dev, FuelCalAmountScreen);
        break;
    case key_press(BTN_BOTTOM_RIGHT):
        change_screen(dev, n >= FUEL_TABLE_POINTS ? FuelCalMaxScreen : FuelCalAddScreen);
        break;
    case key_press(BTN_TOP_RIGHT):
        if (state(dev).fuel_cal_inverted) t.count = static_cast<std::int8_t>(-t.count);
        load_sender_table(dev, t);
        load_fuel_table(dev, t);
        set_telemetry_mask(dev,
                           static_cast<std::uint8_t>(get_telemetry_mask(dev) | TELEMETRY_FUEL));
        change_screen(dev, FuelCalDoneScreen);
        break;
    default: break;
    }
}

const MessageScreenLayout DONE{&ResultTickIcon, DONE_ICON_Y, Legend::Ok, &CalibrationMenuScreen,
                               &DONE_TEXT};
const MessageScreenLayout SIGNAL{&ResultCrossIcon, ERROR_ICON_Y, Legend::Back, &FuelCalAddScreen,
                                 &SIGNAL_TEXT};
const MessageScreenLayout DECREASE{&ResultCrossIcon, ERROR_ICON_Y, Legend::Back,
                                   &FuelCalAmountScreen, &DECREASE_TEXT};
// In English the message is one line shorter, and the cross stands lower.
const MessageScreenLayout DECREASE_ENGLISH{&ResultCrossIcon, DECREASE_ICON_Y_ENGLISH, Legend::Back,
                                           &FuelCalAmountScreen, &DECREASE_TEXT};
const MessageScreenLayout MAX{&ResultWarnIcon, ERROR_ICON_Y, Legend::Back, &FuelCalFullScreen,
                              &MAX_TEXT};

void decrease_handle(Device& dev, std::uint8_t event) {
    const bool english = language_index(current_language(dev)) == 0;
    message_screen_handle(dev, english ? DECREASE_ENGLISH : DECREASE, event);
}

} // namespace

QL_DEFINE_SCREEN(FuelCalEmptyScreen, empty_handle);
QL_DEFINE_SCREEN(FuelCalAmountScreen, amount_handle);
QL_DEFINE_SCREEN(FuelCalAddScreen, add_handle);
QL_DEFINE_SCREEN(FuelCalFullScreen, full_handle);
QL_DEFINE_SCREEN(FuelCalDoneScreen, message_screen<DONE>);
QL_DEFINE_SCREEN(FuelCalSignalScreen, message_screen<SIGNAL>);
QL_DEFINE_SCREEN(FuelCalDecreaseScreen, decrease_handle);
QL_DEFINE_SCREEN(FuelCalMaxScreen, message_screen<MAX>);

} // namespace ql
