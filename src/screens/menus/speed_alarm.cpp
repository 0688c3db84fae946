#include "screens/menus/speed_alarm.hpp"
#include "screens/menus/stand_in.hpp"

namespace ql {

const Screen SpeedAlarmScreen{"SpeedAlarmScreen", return_to_menu_screen};

} // namespace ql
