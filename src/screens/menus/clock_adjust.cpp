#include "screens/menus/clock_adjust.hpp"
#include "screens/menus/return_to_trip.hpp"

namespace ql {

const Screen ClockAdjustScreen{"ClockAdjustScreen", return_to_trip_screen};

} // namespace ql
