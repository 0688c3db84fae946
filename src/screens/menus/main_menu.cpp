#include "screens/menus/main_menu.hpp"
#include "screens/menus/return_to_trip.hpp"

namespace ql {

const Screen MainMenuScreen{"MainMenuScreen", return_to_trip_screen};

} // namespace ql
