#pragma once
#include "device/settings/settings.hpp"
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace ql {

// The settings store kept in a file between runs, as the device keeps it in battery-backed
// memory: JSON with the keys of print-state's "settings".

// The settings as one JSON object, keys in a fixed order: what a settings file holds, and
// print-state's "settings". The stored values, read past their getters, so that writing them
// never raises a flag.
nlohmann::ordered_json settings_state_json(const Settings& settings);

// Reads FILE into `settings`. `present` is false (and the call succeeds) when there is no such
// file. Every key must be there with a whole number its field can hold (0 to 255 for a byte,
// -128 to 127 for the fuel table's count); a value the device cannot use is kept, and mended
// by the device when it reads it. Otherwise one line "FILE: key: what is wrong" and false,
// and `settings` is not to be used.
bool load_settings_file(const std::string& file, Settings& settings, bool& present,
                        std::string& error);

// What load_settings_file does with the text it read: the same checks, with NAME in place of
// FILE in the message.
bool read_settings_text(const std::string& name, std::string_view text, Settings& settings,
                        std::string& error);

// Whether FILE can be saved, tried before anything runs: false with one line
// "FILE: settings: cannot write it: why" when its folder does not take a new file.
bool check_settings_file_writable(const std::string& file, std::string& error);

// Writes the store to FILE.part, flushes it to the disk and renames it over FILE, so that FILE
// is always either the old store or the new one, whole.
bool save_settings_file(const std::string& file, const Settings& settings, std::string& error);

} // namespace ql
