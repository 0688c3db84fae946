#pragma once
#include "sim/host/shell.hpp"
#include "sim/record/shell_gif.hpp"
#include "sim/script/script.hpp"
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace ql {

// Exit codes of a scenario run.
inline constexpr int EXIT_PASSED = 0;
inline constexpr int EXIT_EXPECTATION_FAILED = 1;
inline constexpr int EXIT_USAGE = 2; // bad option or script line, unreadable or unwritable file

// Told of every shell a runner makes, before anything plays on it: how a coverage recorder
// starts watching. Scripts played side by side are each watched by a fork of their own, whose
// findings are merged back in the scripts' order.
struct ShellWatcher {
    virtual ~ShellWatcher() = default;
    virtual void watch(Shell& shell) = 0;
    // A new watcher of the same kind, with nothing seen yet.
    virtual std::unique_ptr<ShellWatcher> fork() const = 0;
    // Adds what `other`, a fork of this one, saw.
    virtual void merge(const ShellWatcher& other) = 0;
};

struct ScriptOptions {
    // expect-lcd writes what the panel shows into its FILE instead of comparing with it.
    bool rebaseline = false;
    // What the device powers on as (--variant, --language).
    PowerOnOptions power_on;
    // --settings: the file the store is kept in, empty when none.
    std::string settings_file;
    // Not owned; none when null.
    ShellWatcher* watcher = nullptr;
};

// Reads a script from its file ("-" is standard input), parses it and, unless rebaselining,
// loads the frames its expect-lcd lines compare with, so that every mistake in it is reported
// before anything runs.
bool load_script(const std::string& name, const ScriptOptions& options, Script& script,
                 std::string& error);

enum class ScriptStatus : std::uint8_t { waiting, finished, failed, error };

// Where a script stands while it plays, in simulated or in real time.
struct ScriptPlayer {
    const Script* script = nullptr;
    std::size_t next = 0;
    std::uint64_t resume_ms = 0;             // after `waiting`: the shell time at which to go on
    std::unique_ptr<ShellGif> gif = nullptr; // record-gif's, while it records
    int gif_line = 0;                        // the line of that record-gif
};

// Runs the commands from where the player stands until a wait (the caller lets time pass up
// to resume_ms, then calls again), the end, a failed expectation or a file that cannot be
// written. Printed output goes to `out`, messages to `err`. A GIF still being recorded when the
// script ends (or stops at a failure) is finished and written then.
ScriptStatus script_step(ScriptPlayer& player, Shell& shell, const ScriptOptions& options,
                         std::ostream& out, std::ostream& err);

// Plays the whole script on the shell in simulated time, letting time pass at each wait.
// Returns how it ended: finished, or the status of the command that stopped it.
ScriptStatus play_script(const Script& script, Shell& shell, const ScriptOptions& options,
                         std::ostream& out, std::ostream& err);

int exit_code_of(ScriptStatus status);

// The headless driver: one device, created at time 0 and powered on at its first paint, plays
// the scripts one after the other in simulated time. Returns the exit code.
int run_headless(const std::vector<Script>& scripts, const ScriptOptions& options,
                 std::ostream& out, std::ostream& err);

} // namespace ql
