#pragma once
#include "device/settings/settings.hpp"
#include <string>

namespace ql {

// The settings store kept in a file between runs, as the device keeps it in battery-backed
// memory: JSON with the keys of print-state's "settings".

// Reads FILE into `settings`. `present` is false (and the call succeeds) when there is no such
// file. Every key must be there with a value in its range; otherwise one line
// "FILE: key: what is wrong" and false, and `settings` is not to be used.
bool load_settings_file(const std::string& file, Settings& settings, bool& present,
                        std::string& error);

// Writes the store to FILE.part, flushes it to the disk and renames it over FILE, so that FILE
// is always either the old store or the new one, whole.
bool save_settings_file(const std::string& file, const Settings& settings, std::string& error);

} // namespace ql
