#pragma once
#include "sim/host/shell.hpp"
#include <ctime>
#include <filesystem>
#include <string>

namespace ql {

// A free name in `folder` after the local time: PREFIX-20240131-142501EXTENSION, with "-2",
// "-3", ... added when that name is taken.
std::filesystem::path dated_file(const std::filesystem::path& folder, const std::string& prefix,
                                 const std::string& extension, std::time_t when);

// Saves the window (or only the LCD, one pixel per dot) as a PNG in `folder`, named after the
// local time, "ql730-window-20240131-142501.png", with "-2", "-3", ... added when that name is
// taken. Returns the path written, or an empty path with `error` set.
std::filesystem::path save_screenshot(Shell& shell, bool lcd_only,
                                      const std::filesystem::path& folder, std::time_t when,
                                      std::string& error);

} // namespace ql
