#pragma once
#include "kernel/screen.hpp"

namespace ql {

extern const Screen MainMenuScreen;

} // namespace ql
