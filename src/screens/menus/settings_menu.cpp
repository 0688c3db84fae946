#include "screens/menus/settings_menu.hpp"
#include "screens/menus/stand_in.hpp"

namespace ql {

const Screen SettingsMenuScreen{"SettingsMenuScreen", return_to_menu_screen};

} // namespace ql
