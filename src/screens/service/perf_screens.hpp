#pragma once
#include "kernel/screen.hpp"

namespace ql {

extern const Screen PerfMenuScreen;

} // namespace ql
