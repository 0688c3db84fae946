#pragma once
#include "sim/frontend/inspector.hpp"
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace ql {

// Characters a line of the hint holds at every scale (the window measures again and cuts).
inline constexpr std::size_t HINT_COLUMNS = 48;

// How long a new backlight or contrast level stays named on the hint line.
inline constexpr std::uint64_t LEVEL_MESSAGE_MS = 3000;

// What the hint line shows now: the clock's state ("paused", "x16"; empty at x1) at the left
// of the first line, and two lines that are the keys' hint or a message.
struct HintText {
    std::string state;
    std::array<std::string, 2> lines;
    bool message = false; // the lines are a message, not the keys' hint
    friend bool operator==(const HintText&, const HintText&) = default;
};

// The window's hint line beside the status texts, drawn by the window only (never in the
// window picture). A message that lasts a few seconds goes before one that stays until the
// window closes (a script that failed), which goes before the keys' hint. Times are the wall
// clock's milliseconds: a message's seconds pass while the simulated time stands.
class HintLine {
  public:
    // A message shown until `until_ms`.
    void show_until(std::string text, std::uint64_t until_ms);
    // A message shown from now on.
    void show_always(std::string text);

    // What to draw at `now_ms` for a clock in `clock`'s state.
    HintText text(std::uint64_t now_ms, const ClockView& clock) const;

    // When what text() gives changes by itself (a message ends): the window wakes once then.
    std::optional<std::uint64_t> next_change(std::uint64_t now_ms) const;

  private:
    std::string timed_;
    std::uint64_t until_ms_ = 0;
    std::string lasting_;
};

// The text at the left of the hint: "paused", the rate when it is not x1, else empty.
std::string clock_state_text(const ClockView& clock);

// `text` cut at spaces into two lines, the first `first_columns` characters at most, the
// second HINT_COLUMNS; what does not fit ends in "...".
std::array<std::string, 2> wrap_hint(const std::string& text, std::size_t first_columns);

} // namespace ql
