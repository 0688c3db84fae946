#pragma once
#include "sim/host/shell.hpp"
#include <nlohmann/json.hpp>

namespace ql {

// The device's state as one JSON object, keys in a fixed order: time, screen, flags, trip
// page, settings, vehicle, clocks, fuel sender, performance timer and the status texts. The
// settings are the stored values, read past their getters, so that dumping never raises a
// flag.
nlohmann::ordered_json state_json(Shell& shell);

} // namespace ql
