#include "device/device.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/menus/settings_menu.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

const Texts COUNT_UP{"[up]", "[asc]", "[su]", "[adel]", "[oben]"};
const Texts COUNT_DOWN{"[dn]", "[desc]", "[gi\xF9]", "[atr\xE1s]", "[unten]"};
const Texts RESOLUTION_HIGH{"[high]", "[\xE9lev\xE9]", "[alta]", "[alta]", "[hoch]"};
const Texts RESOLUTION_RALLY{"[rally]", "[rallye]", "[rally]", "[rally]", "[rally]"};

void draw_counting(Device& dev, std::uint8_t text_y) {
    const bool down = get_count_direction(dev) == CountDirection::Down;
    list_draw_value(dev, text_y, tr(dev, down ? COUNT_DOWN : COUNT_UP));
}

void draw_resolution(Device& dev, std::uint8_t text_y) {
    const bool high = get_resolution(dev) == Resolution::High;
    list_draw_value(dev, text_y, tr(dev, high ? RESOLUTION_HIGH : RESOLUTION_RALLY));
}

void draw_sleep(Device& dev, std::uint8_t text_y) {
    list_draw_value(dev, text_y, on_off_value(dev, get_sleep(dev) == 1));
}

// The distance counters follow the new direction at once.
void toggle_counting(Device& dev) {
    const CountDirection next = get_count_direction(dev) == CountDirection::Down
                                    ? CountDirection::Up
                                    : CountDirection::Down;
    set_count_direction(dev, next);
    set_counting_down(dev, next);
    list_redraw_selected(dev);
}

void toggle_resolution(Device& dev) {
    set_resolution(dev,
                   get_resolution(dev) == Resolution::High ? Resolution::Rally : Resolution::High);
    list_redraw_selected(dev);
}

void toggle_sleep(Device& dev) {
    set_sleep(dev, get_sleep(dev) == 0 ? 1 : 0);
    list_redraw_selected(dev);
}

// clang-format off
const ListRow ROWS[] = {
    {{"Counting", "Compte", "Conteggio", "Cuenta", "Z\xE4hlen"},
     nullptr, toggle_counting, draw_counting},
    {{"Resolution", "R\xE9solution", "Risoluzione", "Resoluci\xF3n", "Aufl\xF6sung"},
     nullptr, toggle_resolution, draw_resolution},
    {{"Sleep", "Veille", "Stand-by", "Espera", "Standby"}, nullptr, toggle_sleep, draw_sleep},
};
// clang-format on

const ListScreenTable SCREEN_TABLE{ArrowTitleIcon.data(), ROWS,
                                   static_cast<std::uint8_t>(std::size(ROWS)), &SettingsMenuScreen,
                                   list_slot<AdvancedScreen>};

void handle(Device& dev, std::uint8_t event) {
    list_screen_handle(dev, SCREEN_TABLE, event);
}

} // namespace

QL_DEFINE_SCREEN(AdvancedScreen, handle);

} // namespace ql
