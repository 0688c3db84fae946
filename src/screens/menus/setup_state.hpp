#pragma once
#include <cstdint>

namespace ql {

// The working values of set distance, the speed alarm, the clock adjustment, About and the factory reset.
struct SetupScreenState {};

} // namespace ql
