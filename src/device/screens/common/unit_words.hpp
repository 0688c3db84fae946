#pragma once
#include "device/settings/languages.hpp"

namespace ql {

// The units as the trip pages, the performance run and the fuel gauge name them beside a value.
inline constexpr Texts KPH = {"kph", "km/h", "kph", "k/h", "km/h"};
inline constexpr Texts MPH = {"mph", "mi/h", "mph", "m/h", "mi/h"};
inline constexpr Texts LITRES = {"litres", "litres", "litri", "litros", "liter"};
inline constexpr Texts GALLONS = {"gallons", "gallons", "galloni", "galones", "gallonen"};

} // namespace ql
