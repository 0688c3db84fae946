#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The logo, the identity and the firmware version; its unmarked bottom-left button asks for
// the factory settings.
extern const Screen AboutScreen;
extern const Screen FactoryResetScreen;

} // namespace ql
