#pragma once
#include <cstdint>

namespace ql {

// The working values of the fuel gauge and the performance timer screens.
struct ServiceScreenState {};

} // namespace ql
