#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"
#include <bit>

namespace ql {

namespace {

const Texts DIM_VALUE{"[dim]", "[nuit]", "[tenue]", "[tenue]", "[nacht]"};

void draw_backlight(Device& dev, std::uint8_t text_y) {
    const std::uint8_t level = get_backlight(dev);
    const Texts& value = level == BACKLIGHT_OFF  ? SWITCH_OFF
                         : level == BACKLIGHT_ON ? SWITCH_ON
                                                 : DIM_VALUE;
    list_draw_value(dev, text_y, tr(dev, value));
}

// Off, on, dim, off, ...: any level but off and on counts as dim.
void cycle_backlight(Device& dev) {
    const std::uint8_t level = get_backlight(dev);
    const std::uint8_t next = level == BACKLIGHT_OFF  ? BACKLIGHT_ON
                              : level == BACKLIGHT_ON ? BACKLIGHT_DIM
                                                      : BACKLIGHT_OFF;
    set_backlight(dev, next);
    apply_hardware_setting(dev, next);
    list_redraw_selected(dev);
}

// clang-format off
const ListRow ROWS[] = {
    {{"Backlight", "Luminosit\xE9", "Luminosit\xE0", "Brillo", "Helligkeit"},
     nullptr, cycle_backlight, draw_backlight},
    {{"Contrast", "Contraste", "Contrasto", "Contraste", "Kontrast"},
     &ContrastScreen, nullptr, list_submenu_marker},
    {{"Units", "Unit\xE9s", "Unit\xE0", "Unidades", "Einheiten"},
     &UnitsScreen, nullptr, list_submenu_marker},
    {{"Telemetry", "T\xE9l\xE9m\xE9trie", "Telemetria", "Telemetr\xED" "a", "Telemetrie"},
     &TelemetryScreen, nullptr, list_submenu_marker},
    {{"Auxiliary A", "Auxiliaire A", "Aux A", "Auxiliar A", "Zusatz A"},
     &AuxFunctionScreenA, nullptr, list_submenu_marker},
    {{"Auxiliary B", "Auxiliaire B", "Aux B", "Auxiliar B", "Zusatz B"},
     &AuxFunctionScreenB, nullptr, list_submenu_marker},
    {{"Advanced", "Avanc\xE9", "Imp. Avanzate", "Avanzado", "Erweitert"},
     &AdvancedScreen, nullptr, list_submenu_marker},
    {{"Language", "Langue", "Lingua", "Idioma", "Sprache"},
     &LanguageScreen, nullptr, list_submenu_marker},
};
// clang-format on

// "Language", the last row, is offered only when there is a language to choose.
void prepare(Device& dev, ListScreenState& list) {
    if (std::popcount(get_language_mask(dev)) < 2)
        list.menu.count = static_cast<std::uint8_t>(std::size(ROWS) - 1);
}

constexpr ListScreenTable SCREEN_TABLE = list_table(
    SpannerTitleIcon, ROWS, MainMenuScreen, list_slot<ListSlot::SettingsMenuScreenSlot>, prepare);

} // namespace

QL_DEFINE_SCREEN(SettingsMenuScreen, list_screen<SCREEN_TABLE>);

} // namespace ql
