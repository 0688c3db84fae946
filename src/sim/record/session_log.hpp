#pragma once
#include "sim/host/shell.hpp"
#include <cstdint>
#include <string>
#include <vector>

namespace ql {

// Every input a shell receives, from its creation on, with its simulated time: what the device
// saw, whether it came from the mouse, the keyboard, the power switch or a script. Written as a
// script, it replays the session headless: a device created and powered on the same way gets the
// same inputs at the same instants and ends in the same state, byte for byte.
class SessionLog final : public ShellObserver {
  public:
    void input(const Shell& shell, const ShellInput& in) override;
    // A comment in the script at `ms`, such as "paused": what the person did that the device
    // does not see.
    void note(std::uint64_t ms, const std::string& text);

    // The script: `header` (comment lines, each ending in a newline), the inputs with a wait
    // before each that comes later than the one before, a wait up to `end_ms` and print-state.
    std::string script(std::uint64_t end_ms, const std::string& header) const;

    std::size_t inputs() const { return inputs_; }

  private:
    struct Entry {
        std::uint64_t ms = 0;
        ShellInput in;
        std::uint32_t count = 1; // keys at one instant
        std::string note;        // when not empty, a comment instead of an input
    };
    std::vector<Entry> entries_;
    std::size_t inputs_ = 0;
};

// "2s", "1250ms": a duration as the scripts write it, exact to the millisecond.
std::string script_duration(std::uint64_t ms);

} // namespace ql
