// Arbitrary bytes into the script reader; a script that parses is played on a device with its
// simulated time capped, and without writing any file.
#include "sim/script/script.hpp"
#include "sim/script/script_runner.hpp"
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t TIME_BUDGET_MS = 10ull * 60 * 1000; // ten simulated minutes a script
constexpr std::uint32_t KEY_BUDGET = 2000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ql::Script script;
    script.name = "fuzz";
    script.folder = ".";
    std::string error;
    if (!ql::parse_script("fuzz", text, script, error)) {
        // A refused script always says where and why.
        if (error.rfind("fuzz:", 0) != 0) __builtin_trap();
        return 0;
    }
    // Nothing is written to disk, and time and key presses are capped.
    std::uint64_t time_left = TIME_BUDGET_MS;
    std::uint32_t keys_left = KEY_BUDGET;
    std::erase_if(script.commands, [](const ql::ScriptCommand& c) {
        return c.op == ql::ScriptOp::save_lcd || c.op == ql::ScriptOp::save_window ||
               c.op == ql::ScriptOp::record_gif || c.op == ql::ScriptOp::stop_gif;
    });
    for (ql::ScriptCommand& c : script.commands) {
        if (c.op == ql::ScriptOp::wait) {
            if (c.ms > ql::MAX_DURATION_MS) __builtin_trap();
            c.ms = std::min(c.ms, time_left);
            time_left -= c.ms;
        }
        if (c.op == ql::ScriptOp::key) {
            c.count = std::min(c.count, keys_left);
            keys_left -= c.count;
        }
    }
    std::ostream nowhere(nullptr);
    ql::run_headless({script}, ql::ScriptOptions{}, nowhere, nowhere);
    return 0;
}
