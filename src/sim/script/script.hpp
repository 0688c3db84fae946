#pragma once
#include "sim/script/drive_file.hpp"
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// One step of a scenario script. `press`, `click` and `hold` are made of these.
enum class ScriptOp : std::uint8_t {
    mouse_down,
    mouse_up,
    key,
    wait,
    print_lcd,
    print_state,
    save_lcd,
    save_window,
    expect_screen,
    expect_lcd,
    expect_text,
    expect_state,
    drive,
    record_gif,
    stop_gif,
    power_cycle,
};

struct ScriptCommand {
    ScriptOp op = ScriptOp::wait;
    int line = 0;
    std::int16_t x = 0; // mouse_down
    std::int16_t y = 0;
    std::uint8_t key = 0; // key: a virtual key code, sent `count` times
    std::uint32_t count = 0;
    std::uint64_t ms = 0; // wait
    std::string argument; // a file name, or the screen name of expect_screen
    std::string expected; // expect_lcd: the expected frame in print-lcd form, once loaded
    // expect_text: the text (Latin-1) is `argument`, the region searched is this.
    // expect_state: the dotted path is `argument`, the value `expected`.
    int region_x = 0;
    int region_y = 0;
    int region_width = 128;
    int region_height = 64;
    bool written_earlier = false; // expect_lcd: a save-lcd before it writes FILE; read when run
    std::vector<DriveRow> drive;  // drive: the rows of FILE, once loaded
    std::string drive_note;       // drive: what the device cannot count of a track, if any
};

struct Script {
    std::string name; // as given on the command line; "-" is standard input
    // Relative file names, read or written, are taken from the script's folder.
    std::filesystem::path folder;
    std::vector<ScriptCommand> commands;
};

// "250ms", "2s", "1.5s", "3m", "1h" -> milliseconds. False for anything else, and for amounts
// that are not a whole number of milliseconds or longer than a year.
bool parse_duration(std::string_view text, std::uint64_t& ms);

// Parses a whole script before anything runs. On the first line that cannot be understood,
// returns false and sets `error` to "NAME:LINE: what is wrong".
bool parse_script(const std::string& name, std::string_view text, Script& script,
                  std::string& error);

} // namespace ql
