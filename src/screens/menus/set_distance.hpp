#pragma once
#include "kernel/screen.hpp"

namespace ql {

extern const Screen SetDistanceScreen;

} // namespace ql
