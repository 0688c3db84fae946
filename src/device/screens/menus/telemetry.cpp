#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

// The switch of the page whose telemetry_mask bit is BIT.
template <std::uint8_t BIT> bool page_on(Device& dev) {
    return (get_telemetry_mask(dev) & (1u << BIT)) != 0;
}
template <std::uint8_t BIT> void set_page(Device& dev, bool on) {
    const std::uint8_t mask = get_telemetry_mask(dev);
    set_telemetry_mask(dev,
                       static_cast<std::uint8_t>(on ? mask | (1u << BIT) : mask & ~(1u << BIT)));
}
template <std::uint8_t BIT>
constexpr Toggle PAGE_SWITCH{SWITCH_OFF, SWITCH_ON, page_on<BIT>, set_page<BIT>};

// In the order of the mask's bits, which is the order the trip screen shows its pages in.
// clang-format off
const ListRow ROWS[] = {
    toggle_row<PAGE_SWITCH<0>>({"Cur. Speed", "Vitesse", "Velocit\xE0", "Velocidad", "Geschw."}),
    toggle_row<PAGE_SWITCH<1>>(
        {"Avg. Speed", "Vitesse Moy.", "Velocit\xE0 Med.", "Veloci. Prom.", "Geschw. i.D."}),
    toggle_row<PAGE_SWITCH<2>>(
        {"Max. Speed", "Vitesse Max.", "Velocit\xE0 Max.", "Veloci. M\xE1x.", "Geschw. Max. "}),
    toggle_row<PAGE_SWITCH<3>>({"Fuel", "Carburant", "Carburante", "Combustible", "Kraftstoff"}),
    toggle_row<PAGE_SWITCH<4>>(
        {"Stopwatch", "Chronom\xE8tre", "Chronometro", "Cron\xF3metro", "Stoppuhr"}),
    toggle_row<PAGE_SWITCH<5>>({"Clock", "Horloge", "Ora", "Reloj", "Zeit"}),
};
// clang-format on

constexpr ListScreenTable SCREEN_TABLE =
    list_table(DialTitleIcon, ROWS, SettingsMenuScreen, list_slot<ListSlot::TelemetryScreenSlot>);

} // namespace

QL_DEFINE_SCREEN(TelemetryScreen, list_screen<SCREEN_TABLE>);

} // namespace ql
