#include "device/device.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

constexpr Texts COUNT_UP{"[up]", "[asc]", "[su]", "[adel]", "[oben]"};
constexpr Texts COUNT_DOWN{"[dn]", "[desc]", "[gi\xF9]", "[atr\xE1s]", "[unten]"};
constexpr Texts RESOLUTION_HIGH{"[high]", "[\xE9lev\xE9]", "[alta]", "[alta]", "[hoch]"};
constexpr Texts RESOLUTION_RALLY{"[rally]", "[rallye]", "[rally]", "[rally]", "[rally]"};

// The distance counters follow the new direction at once.
void set_counting(Device& dev, bool down) {
    const CountDirection direction = down ? CountDirection::Down : CountDirection::Up;
    set_count_direction(dev, direction);
    set_counting_down(dev, direction);
}

constexpr Toggle COUNTING{
    COUNT_UP, COUNT_DOWN,
    [](Device& dev) { return get_count_direction(dev) == CountDirection::Down; }, set_counting};
constexpr Toggle RESOLUTION{RESOLUTION_RALLY, RESOLUTION_HIGH,
                            [](Device& dev) { return get_resolution(dev) == Resolution::High; },
                            [](Device& dev, bool high) {
                                set_resolution(dev, high ? Resolution::High : Resolution::Rally);
                            }};
constexpr Toggle SLEEP{SWITCH_OFF, SWITCH_ON, [](Device& dev) { return get_sleep(dev) == 1; },
                       [](Device& dev, bool on) { set_sleep(dev, on ? 1 : 0); }};

const ListRow ROWS[] = {
    toggle_row<COUNTING>({"Counting", "Compte", "Conteggio", "Cuenta", "Z\xE4hlen"}),
    toggle_row<RESOLUTION>(
        {"Resolution", "R\xE9solution", "Risoluzione", "Resoluci\xF3n", "Aufl\xF6sung"}),
    toggle_row<SLEEP>({"Sleep", "Veille", "Stand-by", "Espera", "Standby"}),
};

constexpr ListScreenTable SCREEN_TABLE =
    list_table(ArrowTitleIcon, ROWS, SettingsMenuScreen, list_slot<ListSlot::AdvancedScreenSlot>);

} // namespace

QL_DEFINE_SCREEN(AdvancedScreen, list_screen<SCREEN_TABLE>);

} // namespace ql
