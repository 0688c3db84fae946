#pragma once
#include "kernel/screen.hpp"

namespace ql {

extern const Screen SettingsMenuScreen;

} // namespace ql
