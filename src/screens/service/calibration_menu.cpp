#include "screens/service/calibration_menu.hpp"
#include "screens/menus/stand_in.hpp"

namespace ql {

const Screen CalibrationMenuScreen{"CalibrationMenuScreen", return_to_menu_screen};

} // namespace ql
