#include "screens/menus/set_distance.hpp"
#include "screens/menus/stand_in.hpp"

namespace ql {

const Screen SetDistanceScreen{"SetDistanceScreen", return_to_menu_screen};

} // namespace ql
