#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_list.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

constexpr std::uint8_t MAIN_MENU_ENTRIES = 7;

using MenuIcon = Picture<25, 23>;

struct MainMenuEntry {
    const MenuIcon* icon;
    const Screen* action;
    Texts label;
};

// The last entry is offered only when the speed alarm is fitted.
// clang-format off
const MainMenuEntry ENTRIES[MAIN_MENU_ENTRIES] = {
    {&AboutMenuIcon, &AboutScreen,
     {"About", "Infos Produit", "Info", "Acerca da", "Systeminfo"}},
    {&SetDistanceMenuIcon, &SetDistanceScreen,
     {"Set Distance", "R\xE9gla. Distance", "Imposta Distanza", "Ajustar Distancia",
      "Entfern. Eingeben"}},
    {&CalibrationMenuIcon, &CalibrationMenuScreen,
     {"Calibration", "Calibrage", "Calibratura", "Calibraci\xF3n", "Kalibrierungs"}},
    {&SettingsMenuIcon, &SettingsMenuScreen,
     {"Settings", "Param\xE9trages", "Impostazioni", "Configuraci\xF3n", "Einstellungen"}},
    {&FuelGaugeMenuIcon, &FuelGaugeScreen,
     {"Fuel Gauge", "Carburant", "Carburante", "Combustible", "Kraftstoffanzeige"}},
    {&PerformanceMenuIcon, &PerfMenuScreen,
     {"Performance", "Performance", "Prestazioni", "Rendimiento", "Leistung"}},
    {&SpeedAlarmMenuIcon, &SpeedAlarmScreen,
     {"Speed Alarm", "Alarm de Vitesse", "Allarme Velocit\xE0", "Alarma Velocidad",
      "Geschw.alarm"}},
};
// clang-format on

// The menu gives up after this many whole seconds without a step.
constexpr std::uint8_t IDLE_LIMIT = 30;

constexpr std::uint8_t FRAME_W = 27;
constexpr std::uint8_t FRAME_H = 25;
constexpr std::uint8_t STRIP_Y = 11;
constexpr std::uint8_t PREVIOUS_X = 18;
constexpr std::uint8_t SELECTED_X = 50;
constexpr std::uint8_t NEXT_X = 83;

std::uint8_t previous_entry(const MainMenuState& m, std::uint8_t index) {
    return index == 0 ? static_cast<std::uint8_t>(m.main_menu_count - 1)
                      : static_cast<std::uint8_t>(index - 1);
}

std::uint8_t next_entry(const MainMenuState& m, std::uint8_t index) {
    const auto next = static_cast<std::uint8_t>(index + 1);
    return next >= m.main_menu_count ? 0 : next;
}

void draw_framed_icon(Device& dev, std::uint8_t x, const Picture<27, 25>& frame,
                      std::uint8_t entry) {
    move_to(dev, x, STRIP_Y);
    draw_rect(dev, FRAME_W, FRAME_H, RECT_CLEAR);
    move_to(dev, x, STRIP_Y);
    blit_picture(dev, frame);
    move_to(dev, static_cast<std::uint8_t>(x + 1), STRIP_Y + 1);
    blit_picture(dev, *ENTRIES[entry].icon);
}

// Redraws the icon strip and the label for the current selection.
void draw_main_menu_strip(Device& dev) {
    const MainMenuState& m = dev.screens.main_menu;
    const std::uint8_t selected = m.main_menu_selection;
    // The selected icon is exclusive-ored onto its solid frame, so it shows light on dark.
    draw_framed_icon(dev, SELECTED_X, MenuFrameSelected, selected);
    move_to(dev, 14, 44);
    draw_rect(dev, 100, 10, RECT_CLEAR);
    text_draw_at(dev, 64, 44, ALIGN_CENTRE, tr(dev, ENTRIES[selected].label));
    draw_framed_icon(dev, PREVIOUS_X, MenuFrameOther, previous_entry(m, selected));
    draw_framed_icon(dev, NEXT_X, MenuFrameOther, next_entry(m, selected));
}

void enter(Device& dev) {
    MainMenuState& m = dev.screens.main_menu;
    if (speed_alarm_fitted(dev)) {
        m.main_menu_count = MAIN_MENU_ENTRIES;
    } else {
        m.main_menu_count = MAIN_MENU_ENTRIES - 1;
        if (m.main_menu_selection >= m.main_menu_count) m.main_menu_selection = 0;
    }
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_bottom_left(dev, legend_word(dev, Legend::Ok));
    legend_bottom_right(dev, legend_symbol(LegendSymbol::Right));
    legend_top_right(dev, legend_symbol(LegendSymbol::Left));
    legend_top_left(dev, legend_word(dev, Legend::Back));
    draw_main_menu_strip(dev);
    m.main_menu_idle_seconds = 0;
}

void step(Device& dev, std::uint8_t selection) {
    MainMenuState& m = dev.screens.main_menu;
    m.main_menu_selection = selection;
    draw_main_menu_strip(dev);
    m.main_menu_idle_seconds = 0;
}

void handle(Device& dev, std::uint8_t event) {
    MainMenuState& m = dev.screens.main_menu;
    switch (event) {
    case EV_ENTER: enter(dev); break;
    case EV_TICK_1S:
        ++m.main_menu_idle_seconds;
        if (m.main_menu_idle_seconds > IDLE_LIMIT) change_screen(dev, MainTripScreen);
        break;
    case key_press(BTN_TOP_LEFT): change_screen(dev, MainTripScreen); break;
    case key_press(BTN_BOTTOM_LEFT):
        change_screen(dev, *ENTRIES[m.main_menu_selection].action);
        break;
    case key_press(BTN_BOTTOM_RIGHT): step(dev, next_entry(m, m.main_menu_selection)); break;
    case key_press(BTN_TOP_RIGHT): step(dev, previous_entry(m, m.main_menu_selection)); break;
    default: break;
    }
}

} // namespace

QL_DEFINE_SCREEN(MainMenuScreen, handle);

} // namespace ql
