#include "screens/service/perf_screens.hpp"
#include "screens/menus/stand_in.hpp"

namespace ql {

const Screen PerfMenuScreen{"PerfMenuScreen", return_to_menu_screen};

} // namespace ql
