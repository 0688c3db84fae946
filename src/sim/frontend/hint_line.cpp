#include "sim/frontend/hint_line.hpp"
#include "sim/frontend/key_help.hpp"
#include "sim/frontend/time_control.hpp"

namespace ql {

namespace {

constexpr std::size_t STATE_GAP = 2; // spaces between the clock's state and the first line

// The longest start of `text` of at most `columns` characters that ends before a space (or
// the whole text), and where the rest begins.
std::size_t line_end(const std::string& text, std::size_t columns, std::size_t& rest) {
    if (text.size() <= columns) {
        rest = text.size();
        return text.size();
    }
    std::size_t end = text.rfind(' ', columns);
    if (end == std::string::npos || end == 0) end = columns; // one long word: cut inside it
    rest = end;
    while (rest < text.size() && text[rest] == ' ')
        ++rest;
    return end;
}

} // namespace

void HintLine::show_until(std::string text, std::uint64_t until_ms) {
    timed_ = std::move(text);
    until_ms_ = until_ms;
}

void HintLine::show_always(std::string text) {
    lasting_ = std::move(text);
}

HintText HintLine::text(std::uint64_t now_ms, const ClockView& clock) const {
    HintText out;
    out.state = clock_state_text(clock);
    const std::size_t first = HINT_COLUMNS - (out.state.empty() ? 0 : out.state.size() + STATE_GAP);
    const std::string& message = !timed_.empty() && now_ms < until_ms_ ? timed_ : lasting_;
    if (!message.empty()) {
        out.message = true;
        out.lines = wrap_hint(message, first);
        return out;
    }
    const std::string hint = KEY_HINT;
    const std::size_t newline = hint.find('\n');
    out.lines = {hint.substr(0, newline), hint.substr(newline + 1)};
    return out;
}

std::optional<std::uint64_t> HintLine::next_change(std::uint64_t now_ms) const {
    if (timed_.empty() || now_ms >= until_ms_) return std::nullopt;
    return until_ms_;
}

std::string clock_state_text(const ClockView& clock) {
    if (clock.paused) return "paused";
    return clock.speed == 1 ? std::string() : speed_text(clock.speed);
}

std::array<std::string, 2> wrap_hint(const std::string& text, std::size_t first_columns) {
    std::array<std::string, 2> lines;
    std::size_t rest = 0;
    lines[0] = text.substr(0, line_end(text, first_columns, rest));
    const std::string second = text.substr(rest);
    std::size_t after = 0;
    lines[1] = second.substr(0, line_end(second, HINT_COLUMNS, after));
    if (after < second.size()) {
        if (lines[1].size() > HINT_COLUMNS - 3) lines[1].resize(HINT_COLUMNS - 3);
        lines[1] += "...";
    }
    return lines;
}

} // namespace ql
