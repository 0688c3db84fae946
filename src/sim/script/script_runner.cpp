#include "sim/script/script_runner.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/kernel/kernel.hpp"
#include "sim/files/lcd_frame.hpp"
#include "sim/files/png_file.hpp"
#include "sim/script/state_dump.hpp"
#include "sim/script/text_search.hpp"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace ql {

namespace {

std::string where(const Script& script, const ScriptCommand& c) {
    return script.name + ":" + std::to_string(c.line) + ": ";
}

std::filesystem::path beside_script(const Script& script, const std::string& name) {
    const std::filesystem::path path(name);
    return path.is_absolute() ? path : script.folder / path;
}

bool read_all(std::istream& in, std::string& text) {
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return !in.bad();
}

// What `expect screen` reports when no screen is open.
constexpr const char* NO_SCREEN = "none (the device is not powered on)";

ScriptStatus expect_lcd(const Script& script, const ScriptCommand& c, Shell& shell,
                        const ScriptOptions& options, std::ostream& err) {
    const std::filesystem::path path = beside_script(script, c.argument);
    std::string error;
    if (options.rebaseline) {
        if (!write_frame(path, shell.dev.lcd, error)) {
            err << where(script, c) << error << '\n';
            return ScriptStatus::error;
        }
        err << where(script, c) << "rebaselined " << path.string() << '\n';
        return ScriptStatus::finished;
    }
    std::string read_now;
    if (c.written_earlier && !read_frame(path, read_now, error)) {
        err << where(script, c) << error << '\n';
        return ScriptStatus::error;
    }
    const std::string difference =
        lcd_difference(c.written_earlier ? read_now : c.expected, shell.dev.lcd);
    if (difference.empty()) return ScriptStatus::finished;
    err << where(script, c) << "the LCD does not match " << c.argument << ": " << difference
        << '\n';
    return ScriptStatus::failed;
}

ScriptStatus expect_text(const Script& script, const ScriptCommand& c, Shell& shell,
                         std::ostream& err) {
    const LcdRegion region{c.region_x, c.region_y, c.region_width, c.region_height};
    if (lcd_shows_text(shell.dev.lcd, c.argument, region)) return ScriptStatus::finished;
    err << where(script, c) << "the text \"" << latin1_to_utf8(c.argument)
        << "\" is not on the LCD in the region " << region.x << ' ' << region.y << ' '
        << region.width << ' ' << region.height << ":\n"
        << frame_picture(shell.dev.lcd, region.x, region.y, region.width, region.height);
    return ScriptStatus::failed;
}

ScriptStatus expect_state(const Script& script, const ScriptCommand& c, Shell& shell,
                          std::ostream& err) {
    const nlohmann::ordered_json state = state_json(shell);
    const nlohmann::ordered_json* value = &state;
    std::string_view rest = c.argument;
    while (!rest.empty()) {
        const std::size_t dot = rest.find('.');
        const std::string key(rest.substr(0, dot));
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
        if (value->is_object() && value->contains(key)) {
            value = &(*value)[key];
        } else if (value->is_array() && !key.empty() &&
                   key.find_first_not_of("0123456789") == std::string::npos &&
                   std::stoul(key) < value->size()) {
            value = &(*value)[std::stoul(key)];
        } else {
            err << where(script, c) << "print-state has no value at " << c.argument << '\n';
            return ScriptStatus::error;
        }
    }
    const nlohmann::ordered_json wanted = nlohmann::ordered_json::parse(c.expected, nullptr, false);
    const bool same = value->is_string() ? value->get<std::string>() == c.expected
                                         : !wanted.is_discarded() && wanted == *value;
    if (same) return ScriptStatus::finished;
    err << where(script, c) << "expected " << c.argument << " to be " << c.expected << ", found "
        << (value->is_string() ? value->get<std::string>() : value->dump()) << '\n';
    return ScriptStatus::failed;
}

ScriptStatus start_gif(ScriptPlayer& player, const ScriptCommand& c, Shell& shell,
                       std::ostream& err) {
    player.gif = std::make_unique<ShellGif>();
    player.gif_line = c.line;
    std::string error;
    if (player.gif->start(shell, beside_script(*player.script, c.argument), error))
        return ScriptStatus::finished;
    player.gif.reset();
    err << where(*player.script, c) << error << '\n';
    return ScriptStatus::error;
}

// Finishes the GIF being recorded, if any; false when it could not be written.
bool stop_gif(ScriptPlayer& player, std::ostream& err) {
    if (!player.gif) return true;
    std::string error;
    const bool written = player.gif->stop(error);
    player.gif.reset();
    if (!written) err << player.script->name << ":" << player.gif_line << ": " << error << '\n';
    return written;
}

// One command; `finished` means go on with the next.
ScriptStatus run_command(ScriptPlayer& player, const ScriptCommand& c, Shell& shell,
                         const ScriptOptions& options, std::ostream& out, std::ostream& err) {
    const Script& script = *player.script;
    std::string error;
    switch (c.op) {
    case ScriptOp::mouse_down: shell_mouse_down(shell, c.x, c.y); break;
    case ScriptOp::mouse_up: shell_mouse_up(shell); break;
    case ScriptOp::key:
        for (std::uint32_t i = 0; i < c.count; ++i)
            shell_key_down(shell, c.key);
        break;
    case ScriptOp::wait: player.resume_ms = shell.now_ms + c.ms; return ScriptStatus::waiting;
    case ScriptOp::print_lcd: out << frame_picture(shell.dev.lcd) << std::flush; break;
    case ScriptOp::print_state: out << state_json(shell).dump() << '\n' << std::flush; break;
    case ScriptOp::save_lcd:
    case ScriptOp::save_window: {
        const bool saved =
            c.op == ScriptOp::save_lcd
                ? write_png(beside_script(script, c.argument), lcd_image(shell.dev.lcd), error)
                : write_png(beside_script(script, c.argument), shell_picture(shell), error);
        if (!saved) {
            err << where(script, c) << error << '\n';
            return ScriptStatus::error;
        }
        break;
    }
    case ScriptOp::expect_screen:
        if (c.argument != screen_name(shell.dev, NO_SCREEN)) {
            err << where(script, c) << "expected the screen " << c.argument << ", found "
                << screen_name(shell.dev, NO_SCREEN) << '\n';
            return ScriptStatus::failed;
        }
        break;
    case ScriptOp::expect_lcd: return expect_lcd(script, c, shell, options, err);
    case ScriptOp::expect_text: return expect_text(script, c, shell, err);
    case ScriptOp::expect_state: return expect_state(script, c, shell, err);
    case ScriptOp::drive:
        if (!c.drive_note.empty()) err << c.drive_note << '\n';
        shell_start_drive(shell, c.drive);
        break;
    case ScriptOp::record_gif:
        // The reader lets no record-gif follow another without a stop-gif between.
        if (!stop_gif(player, err)) return ScriptStatus::error;
        return start_gif(player, c, shell, err);
    case ScriptOp::stop_gif:
        if (!stop_gif(player, err)) return ScriptStatus::error;
        break;
    case ScriptOp::power_cycle:
        error = shell_power_cycle(shell);
        if (!error.empty()) {
            err << where(script, c) << error << '\n';
            return ScriptStatus::error;
        }
        break;
    }
    return ScriptStatus::finished;
}

} // namespace

bool load_script(const std::string& name, const ScriptOptions& options, Script& script,
                 std::string& error) {
    std::string text;
    if (name == "-") {
        if (!read_all(std::cin, text)) {
            error = "cannot read the script from standard input";
            return false;
        }
        script.folder = ".";
    } else {
        std::error_code ec;
        if (std::filesystem::is_directory(name, ec)) {
            error = "cannot read the script " + name + ": it is a folder";
            return false;
        }
        std::ifstream in(name, std::ios::binary);
        if (!in || !read_all(in, text)) {
            error = "cannot read the script " + name + ": " + std::strerror(errno);
            return false;
        }
        script.folder = std::filesystem::path(name).parent_path();
        if (script.folder.empty()) script.folder = ".";
    }
    if (!parse_script(name, text, script, error)) return false;
    for (ScriptCommand& c : script.commands)
        if (c.op == ScriptOp::drive &&
            !load_drive_file(beside_script(script, c.argument).lexically_normal(), c.drive, error,
                             &c.drive_note)) {
            // A bad row names its own file and line; a file that cannot be read, the script's.
            if (error.starts_with("cannot read")) error = where(script, c) + error;
            return false;
        }
    if (options.rebaseline) return true;
    std::vector<std::filesystem::path> saved; // by save-lcd lines so far
    for (ScriptCommand& c : script.commands) {
        if (c.op == ScriptOp::save_lcd)
            saved.push_back(beside_script(script, c.argument).lexically_normal());
        if (c.op != ScriptOp::expect_lcd) continue;
        const std::filesystem::path path = beside_script(script, c.argument).lexically_normal();
        if (std::find(saved.begin(), saved.end(), path) != saved.end()) {
            c.written_earlier = true;
            continue;
        }
        std::string problem;
        if (!read_frame(beside_script(script, c.argument), c.expected, problem)) {
            error = where(script, c) + problem;
            return false;
        }
        c.expected = packed_frame(c.expected);
    }
    return true;
}

ScriptStatus script_step(ScriptPlayer& player, Shell& shell, const ScriptOptions& options,
                         std::ostream& out, std::ostream& err) {
    const std::vector<ScriptCommand>& commands = player.script->commands;
    while (player.next < commands.size()) {
        const ScriptCommand& c = commands[player.next++];
        const ScriptStatus status = run_command(player, c, shell, options, out, err);
        if (status == ScriptStatus::waiting) return status;
        if (status != ScriptStatus::finished) {
            stop_gif(player, err);
            return status;
        }
    }
    return stop_gif(player, err) ? ScriptStatus::finished : ScriptStatus::error;
}

int exit_code_of(ScriptStatus status) {
    switch (status) {
    case ScriptStatus::failed: return EXIT_EXPECTATION_FAILED;
    case ScriptStatus::error: return EXIT_USAGE;
    case ScriptStatus::waiting:
    case ScriptStatus::finished: break;
    }
    return EXIT_PASSED;
}

ScriptStatus play_script(const Script& script, Shell& shell, const ScriptOptions& options,
                         std::ostream& out, std::ostream& err) {
    ScriptPlayer player{&script};
    for (;;) {
        const ScriptStatus status = script_step(player, shell, options, out, err);
        if (status != ScriptStatus::waiting) return status;
        shell_advance_to(shell, player.resume_ms);
    }
}

int run_headless(const std::vector<Script>& scripts, const ScriptOptions& options,
                 std::ostream& out, std::ostream& err) {
    Shell shell(ShellConfig{options.power_on, options.settings_file});
    if (options.watcher != nullptr) options.watcher->watch(shell);
    for (const Script& script : scripts) {
        const ScriptStatus status = play_script(script, shell, options, out, err);
        if (status != ScriptStatus::finished) return exit_code_of(status);
    }
    return EXIT_PASSED;
}

} // namespace ql
