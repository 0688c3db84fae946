#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/message_screen.hpp"
#include "device/screens/common/number_entry.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/units.hpp"
#include "resources/service_icons.hpp"

namespace ql {

namespace {

// The rates the wizard accepts, in pulses per kilometre, both ends included.
constexpr std::uint64_t RATE_MIN = 100;
constexpr std::uint64_t RATE_MAX = 30000;

constexpr std::uint8_t DOT_Y = 12;
constexpr std::uint8_t DOT_FIRST_X = 43;
constexpr std::uint8_t DOT_PITCH = 17;
constexpr std::uint8_t DOT_COUNT = 3;
constexpr std::uint8_t DOT_SIZE = 7;

constexpr std::uint8_t ERROR_ICON_Y = 4;
constexpr std::uint8_t DONE_ICON_Y = 12;

const Message START_TEXT{
    {14, {"Drive to start of", "calibration dist.", "and press OK."}},
    {9,
     {"Conduire jusqu'au",
      "d\xE9"
      "but de la dist.",
      "de calibrage puis", "appuyer sur OK."}},
    {14, {"Guida fino a inizio", "distanza calibra-", "tura e premi OK."}},
    {9, {"Conduzca al", "inicio de distancia", "de calibraci\xF3n y", "pulse OK."}},
    {14,
     {"Zum Start der", "Kalib.dist. fahren",
      "und OK dr\xFC"
      "cken."}},
};

const Message DRIVE_TEXT{
    {30, {"Press OK at end", "of calibration dist."}},
    {25, {"Appuyer sur OK", "\xE0 la fin de la dist.", "de calibrage."}},
    {30, {"Premi OK a fine", "dist. calibratura."}},
    {30, {"Pulse OK al fin de", "dist. calibraci\xF3n."}},
    {30,
     {"Am Ende d. Kalib.", "dist. OK dr\xFC"
                           "cken."}},
};

const Message ENTRY_PROMPT{
    {37, {"Enter distance"}},
    {37, {"Saisir la distance"}},
    {37, {"Inserisci distanza"}},
    {37, {"Introduzca dist."}},
    {37,
     {"Zur\xFC"
      "ckgel. Distanz"}},
};
const Message ENTRY_UNIT_KM{
    {50, {"travelled (km)."}}, {50, {"parcourue (km)."}}, {50, {"percorsa (km)."}},
    {50, {"recorrida (km)."}}, {50, {"eing. (km)."}},
};
const Message ENTRY_UNIT_MILES{
    {50, {"travelled (mile)."}},  {50, {"parcourue (mi)."}}, {50, {"percorsa (miglia)."}},
    {50, {"recorrida (milla)."}}, {50, {"eing. (meilen)"}},
};

const Message DONE_TEXT{
    {37, {"Unit calibrated."}},
    {37,
     {"L'unit\xE9 est calibr\xE9"
      "e."}},
    {37, {"Unit\xE0 calibrata."}},
    {37, {"Unidad calibrada."}},
    {37, {"Einheit kalibriert."}},
};

const Message NO_PULSES_TEXT =
    numbered_error({26, {"Error : No pulses", "detected. Check", "connections."}},
                   "Erreur 01:", "Errore 01:", "Error 01:", "Fehler 01:");
const Message HIGH_TEXT =
    numbered_error({26, {"Error : Pulse rate", "too high. Refer to", "user's manual."}},
                   "Erreur 02:", "Errore 02:", "Error 02:", "Fehler 02:");
const Message LOW_TEXT =
    numbered_error({26, {"Error : Pulse rate", "too low. Refer to", "user's manual."}},
                   "Erreur 03:", "Errore 03:", "Error 03:", "Fehler 03:");

const Message ZERO_TEXT{
    {26, {"Error : Distance", "value must be", "non-zero."}},
    {26, {"Erreur : La valeur", "de la dist ne doit", "pas \xEAtre z\xE9ro."}},
    {26, {"Errore : Valore", "distanza non pu\xF2", "essere zero."}},
    {26, {"Error : El valor de", "distancia no puede", "ser cero."}},
    {26, {"Fehler : Geschwin-", "digkeitswert darf", "nicht Null sein."}},
};

CalibrationScreenState& state(Device& dev) {
    return dev.screens.calibration;
}

void start_handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: draw_confirm_screen(dev, START_TEXT); break;
    case key_press(BTN_TOP_LEFT): change_screen(dev, CalibrationMenuScreen); break;
    case key_press(BTN_BOTTOM_LEFT):
        get_pulse_count(dev, state(dev).cal_start_count);
        change_screen(dev, DistCalDriveScreen);
        break;
    default: break;
    }
}

void draw_dot(Device& dev, std::uint8_t index, bool solid) {
    move_to(dev, static_cast<std::uint8_t>(DOT_FIRST_X + DOT_PITCH * index), DOT_Y);
    draw_rect(dev, DOT_SIZE, DOT_SIZE, RECT_CLEAR);
    move_to(dev, static_cast<std::uint8_t>(DOT_FIRST_X + DOT_PITCH * index), DOT_Y);
    if (solid)
        blit_picture(dev, ProgressDotSolid);
    else
        blit_picture(dev, ProgressDotRing);
}

void drive_handle(Device& dev, std::uint8_t event) {
    CalibrationScreenState& cal = state(dev);
    switch (event) {
    case EV_ENTER:
        draw_confirm_screen(dev, DRIVE_TEXT);
        for (std::uint8_t i = 0; i < DOT_COUNT; ++i)
            draw_dot(dev, i, i == 0);
        cal.drive_anim_step = 0;
        break;
    case EV_TICK_500MS:
        draw_dot(dev, cal.drive_anim_step, false);
        cal.drive_anim_step = static_cast<std::uint8_t>((cal.drive_anim_step + 1) % DOT_COUNT);
        draw_dot(dev, cal.drive_anim_step, true);
        break;
    case key_press(BTN_TOP_LEFT): change_screen(dev, DistCalStartScreen); break;
    case key_press(BTN_BOTTOM_LEFT):
        get_pulse_count(dev, cal.cal_end_count);
        change_screen(dev, cal.cal_end_count == cal.cal_start_count ? DistCalNoPulsesScreen
                                                                    : DistCalEntryScreen);
        break;
    default: break;
    }
}

void entry_load(Device&, char* text) {
    text_copy(text, "01.000");
}

void entry_draw(Device& dev) {
    draw_message(dev, ENTRY_PROMPT);
    draw_message(dev,
                 get_distance_unit(dev) == DistanceUnit::Miles ? ENTRY_UNIT_MILES : ENTRY_UNIT_KM);
}

// The typed length is in thousandths of the distance unit, so metres in kilometre mode.
void entry_accept(Device& dev, std::int32_t typed, bool) {
    const CalibrationScreenState& cal = state(dev);
    std::int32_t metres = typed;
    if (metres <= 0) {
        change_screen(dev, DistCalZeroScreen);
        return;
    }
    if (get_distance_unit(dev) == DistanceUnit::Miles) miles_to_km(metres);
    // The pulses counted in between, taken across a wrap of the running total; the product
    // with 1000 is kept whole, so that a long stretch gives its true rate.
    const std::uint32_t pulses = cal.cal_end_count - cal.cal_start_count;
    const std::uint64_t rate =
        static_cast<std::uint64_t>(pulses) * 1000u / static_cast<std::uint64_t>(metres);
    if (rate > RATE_MAX) {
        change_screen(dev, DistCalHighScreen);
        return;
    }
    if (rate < RATE_MIN) {
        change_screen(dev, DistCalLowScreen);
        return;
    }
    const auto per_km = static_cast<std::uint16_t>(rate);
    set_calibration(dev, DistanceUnit::Kilometres, per_km);
    // Both entry points of the counting hardware, as at power-on: the vehicle counts with
    // the new rate at once.
    set_pulses_per_km(dev, per_km);
    set_pulses_per_km(dev, per_km);
    change_screen(dev, DistCalDoneScreen);
}

// Five digits with the point after the second: 00.000 to 99.999 of the distance unit.
const NumberEntryLayout ENTRY{NUMEDIT_LARGE, 29, 11,    entry_load,         entry_draw,
                              entry_accept,  0,  99999, &DistCalDriveScreen};

void entry_handle(Device& dev, std::uint8_t event) {
    if (event == EV_ENTER) {
        lcd_clear(dev);
        draw_side_bars(dev);
    }
    number_entry_handle(dev, ENTRY, event);
}

const MessageScreenLayout DONE{&ResultTickIcon, DONE_ICON_Y, Legend::Ok, &CalibrationMenuScreen,
                               &DONE_TEXT};
const MessageScreenLayout NO_PULSES{&ResultCrossIcon, ERROR_ICON_Y, Legend::Back,
                                    &DistCalDriveScreen, &NO_PULSES_TEXT};
const MessageScreenLayout ZERO{&ResultCrossIcon, ERROR_ICON_Y, Legend::Back, &DistCalEntryScreen,
                               &ZERO_TEXT};
const MessageScreenLayout HIGH{&ResultCrossIcon, ERROR_ICON_Y, Legend::Ok, &CalibrationMenuScreen,
                               &HIGH_TEXT};
const MessageScreenLayout LOW{&ResultCrossIcon, ERROR_ICON_Y, Legend::Ok, &CalibrationMenuScreen,
                              &LOW_TEXT};

} // namespace

QL_DEFINE_SCREEN(DistCalStartScreen, start_handle);
QL_DEFINE_SCREEN(DistCalDriveScreen, drive_handle);
QL_DEFINE_SCREEN(DistCalEntryScreen, entry_handle);
QL_DEFINE_SCREEN(DistCalDoneScreen, message_screen<DONE>);
QL_DEFINE_SCREEN(DistCalNoPulsesScreen, message_screen<NO_PULSES>);
QL_DEFINE_SCREEN(DistCalZeroScreen, message_screen<ZERO>);
QL_DEFINE_SCREEN(DistCalHighScreen, message_screen<HIGH>);
QL_DEFINE_SCREEN(DistCalLowScreen, message_screen<LOW>);

} // namespace ql
