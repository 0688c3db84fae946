#pragma once
#include "app/window/window_options.hpp"

namespace ql {

// The simulator in a window, in real time, until the window is closed. Returns the exit code:
// 0, or that of a script that failed, or EXIT_USAGE with one line on standard error when there
// is no display.
int run_window(const WindowOptions& options);

} // namespace ql
