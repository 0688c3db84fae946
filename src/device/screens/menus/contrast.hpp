#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The display contrast, 0-63, as a bar and a percentage. The value is stored when the screen
// is left.
extern const Screen ContrastScreen;

} // namespace ql
