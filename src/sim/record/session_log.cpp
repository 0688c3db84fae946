#include "sim/record/session_log.hpp"
#include "device/hardware/buttons.hpp"
#include "device/hardware/keys.hpp"

namespace ql {

namespace {

constexpr const char* BUTTON_NAMES[] = {"top-left", "bottom-left", "bottom-right", "top-right"};

// The name a script gives a press at a button's middle, or none.
const char* button_at(std::int16_t x, std::int16_t y) {
    for (int b = 0; b < 4; ++b) {
        const ButtonRegion r = button_region(b);
        if (x == (r.left + r.right) / 2 && y == (r.top + r.bottom) / 2) return BUTTON_NAMES[b];
    }
    return nullptr;
}

const char* key_name(std::uint8_t key) {
    switch (key) {
    case KEY_UP: return "up";
    case KEY_DOWN: return "down";
    case KEY_LEFT: return "left";
    case KEY_RIGHT: return "right";
    default: return nullptr;
    }
}

} // namespace

std::string script_duration(std::uint64_t ms) {
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + "s" : std::to_string(ms) + "ms";
}

void SessionLog::input(const Shell& shell, const ShellInput& in) {
    ++inputs_;
    if (in.kind == ShellInput::Kind::key && !entries_.empty()) {
        Entry& last = entries_.back();
        if (last.note.empty() && last.ms == shell.now_ms && last.in.kind == ShellInput::Kind::key &&
            last.in.key == in.key) {
            ++last.count;
            return;
        }
    }
    Entry e;
    e.ms = shell.now_ms;
    e.in = in;
    entries_.push_back(e);
}

void SessionLog::note(std::uint64_t ms, const std::string& text) {
    Entry e;
    e.ms = ms;
    e.note = text;
    entries_.push_back(e);
}

std::string SessionLog::script(std::uint64_t end_ms, const std::string& header) const {
    std::string out = header;
    std::uint64_t at = 0;
    bool pressed_button = false; // the last press was at a button's middle
    auto wait_until = [&](std::uint64_t ms) {
        if (ms <= at) return;
        out += "wait " + script_duration(ms - at) + "\n";
        at = ms;
    };
    for (const Entry& e : entries_) {
        wait_until(e.ms);
        if (!e.note.empty()) {
            out += "# " + e.note + "\n";
            continue;
        }
        switch (e.in.kind) {
        case ShellInput::Kind::mouse_down:
            if (const char* button = button_at(e.in.x, e.in.y)) {
                out += std::string("press ") + button + "\n";
                pressed_button = true;
            } else {
                out += "mouse-down " + std::to_string(e.in.x) + " " + std::to_string(e.in.y) + "\n";
                pressed_button = false;
            }
            break;
        case ShellInput::Kind::mouse_up: out += pressed_button ? "release\n" : "mouse-up\n"; break;
        case ShellInput::Kind::key:
            if (const char* name = key_name(e.in.key))
                out += std::string("key ") + name +
                       (e.count > 1 ? " " + std::to_string(e.count) : std::string()) + "\n";
            break;
        case ShellInput::Kind::power_cycle: out += "power-cycle\n"; break;
        }
    }
    wait_until(end_ms);
    out += "print-state\n";
    return out;
}

} // namespace ql
