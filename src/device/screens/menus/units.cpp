#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

constexpr Texts KILOMETRES{"[km]", "[km]", "[km]", "[km]", "[km]"};
constexpr Texts MILES{"[mile]", "[mile]", "[miglia]", "[milla]", "[meilen]"};
constexpr Texts LITRES{"[litre]", "[litre]", "[litro]", "[litro]", "[liter]"};
constexpr Texts GALLONS{"[gal]", "[gal]", "[gal]", "[gal]", "[gal]"};

constexpr Toggle DISTANCE_UNIT{KILOMETRES, MILES, in_miles, [](Device& dev, bool miles) {
                                   set_distance_unit(dev, miles ? DistanceUnit::Miles
                                                                : DistanceUnit::Kilometres);
                               }};
constexpr Toggle FUEL_UNIT{LITRES, GALLONS, in_gallons, [](Device& dev, bool gallons) {
                               set_fuel_unit(dev, gallons ? FuelUnit::Gallons : FuelUnit::Litres);
                           }};

const ListRow ROWS[] = {
    toggle_row<DISTANCE_UNIT>({"Distance", "Distance", "Distanza", "Distancia", "Distanz"}),
    toggle_row<FUEL_UNIT>({"Fuel", "Carburant", "Carburante", "Combustible", "Kraftstoff"}),
};

constexpr ListScreenTable SCREEN_TABLE =
    list_table(RulerTitleIcon, ROWS, SettingsMenuScreen, list_slot<ListSlot::UnitsScreenSlot>);

} // namespace

QL_DEFINE_SCREEN(UnitsScreen, list_screen<SCREEN_TABLE>);

} // namespace ql
