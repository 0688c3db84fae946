#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/menus/settings_menu.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

const Texts KILOMETRES{"[km]", "[km]", "[km]", "[km]", "[km]"};
const Texts MILES{"[mile]", "[mile]", "[miglia]", "[milla]", "[meilen]"};
const Texts LITRES{"[litre]", "[litre]", "[litro]", "[litro]", "[liter]"};
const Texts GALLONS{"[gal]", "[gal]", "[gal]", "[gal]", "[gal]"};

void draw_distance_unit(Device& dev, std::uint8_t text_y) {
    const bool miles = get_distance_unit(dev) == DistanceUnit::Miles;
    list_draw_value(dev, text_y, tr(dev, miles ? MILES : KILOMETRES));
}

void draw_fuel_unit(Device& dev, std::uint8_t text_y) {
    const bool gallons = get_fuel_unit(dev) == FuelUnit::Gallons;
    list_draw_value(dev, text_y, tr(dev, gallons ? GALLONS : LITRES));
}

void toggle_distance_unit(Device& dev) {
    set_distance_unit(dev, get_distance_unit(dev) == DistanceUnit::Miles ? DistanceUnit::Kilometres
                                                                         : DistanceUnit::Miles);
    list_redraw_selected(dev);
}

void toggle_fuel_unit(Device& dev) {
    set_fuel_unit(dev,
                  get_fuel_unit(dev) == FuelUnit::Gallons ? FuelUnit::Litres : FuelUnit::Gallons);
    list_redraw_selected(dev);
}

// clang-format off
const ListRow ROWS[] = {
    {{"Distance", "Distance", "Distanza", "Distancia", "Distanz"},
     nullptr, toggle_distance_unit, draw_distance_unit},
    {{"Fuel", "Carburant", "Carburante", "Combustible", "Kraftstoff"},
     nullptr, toggle_fuel_unit, draw_fuel_unit},
};
// clang-format on

const ListScreenTable SCREEN_TABLE{RulerTitleIcon.data(), ROWS,
                                   static_cast<std::uint8_t>(std::size(ROWS)), &SettingsMenuScreen,
                                   list_slot<UnitsScreen>};

void handle(Device& dev, std::uint8_t event) {
    list_screen_handle(dev, SCREEN_TABLE, event);
}

} // namespace

QL_DEFINE_SCREEN(UnitsScreen, handle);

} // namespace ql
