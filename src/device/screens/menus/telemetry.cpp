#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/menus/settings_menu.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

// Row i shows whether bit i of the telemetry mask, its page, is on.
template <std::uint8_t ROW> void draw_page_switch(Device& dev, std::uint8_t text_y) {
    const bool on = (get_telemetry_mask(dev) & (1u << ROW)) != 0;
    list_draw_value(dev, text_y, on_off_value(dev, on));
}

void toggle_page(Device& dev) {
    const std::uint8_t row = list_slot<TelemetryScreen>(dev).menu.selected;
    set_telemetry_mask(dev, static_cast<std::uint8_t>(get_telemetry_mask(dev) ^ (1u << row)));
    list_redraw_selected(dev);
}

// In the order of the mask's bits, which is the order the trip screen shows its pages in.
// clang-format off
const ListRow ROWS[] = {
    {{"Cur. Speed", "Vitesse", "Velocit\xE0", "Velocidad", "Geschw."},
     nullptr, toggle_page, draw_page_switch<0>},
    {{"Avg. Speed", "Vitesse Moy.", "Velocit\xE0 Med.", "Veloci. Prom.", "Geschw. i.D."},
     nullptr, toggle_page, draw_page_switch<1>},
    {{"Max. Speed", "Vitesse Max.", "Velocit\xE0 Max.", "Veloci. M\xE1x.", "Geschw. Max. "},
     nullptr, toggle_page, draw_page_switch<2>},
    {{"Fuel", "Carburant", "Carburante", "Combustible", "Kraftstoff"},
     nullptr, toggle_page, draw_page_switch<3>},
    {{"Stopwatch", "Chronom\xE8tre", "Chronometro", "Cron\xF3metro", "Stoppuhr"},
     nullptr, toggle_page, draw_page_switch<4>},
    {{"Clock", "Horloge", "Ora", "Reloj", "Zeit"}, nullptr, toggle_page, draw_page_switch<5>},
};
// clang-format on

const ListScreenTable SCREEN_TABLE{DialTitleIcon.data(), ROWS,
                                   static_cast<std::uint8_t>(std::size(ROWS)), &SettingsMenuScreen,
                                   list_slot<TelemetryScreen>};

void handle(Device& dev, std::uint8_t event) {
    list_screen_handle(dev, SCREEN_TABLE, event);
}

} // namespace

QL_DEFINE_SCREEN(TelemetryScreen, handle);

} // namespace ql
