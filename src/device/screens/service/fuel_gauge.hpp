#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

extern const Screen FuelGaugeScreen;

} // namespace ql
