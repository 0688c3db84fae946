#pragma once
#include <cstdint>

namespace ql {

// The working values of the settings list and its sub-screens.
struct SettingsScreenState {};

} // namespace ql
