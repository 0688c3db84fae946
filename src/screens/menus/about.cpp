#include "screens/menus/about.hpp"
#include "screens/menus/stand_in.hpp"

namespace ql {

const Screen AboutScreen{"AboutScreen", return_to_menu_screen};

} // namespace ql
