#include "screens/service/fuel_gauge.hpp"
#include "screens/menus/stand_in.hpp"

namespace ql {

const Screen FuelGaugeScreen{"FuelGaugeScreen", return_to_menu_screen};

} // namespace ql
