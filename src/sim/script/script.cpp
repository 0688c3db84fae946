#include "sim/script/script.hpp"
#include "device/hardware/buttons.hpp"
#include "device/hardware/keys.hpp"
#include "device/screens/screen_list.hpp"
#include "sim/script/text_search.hpp"
#include <charconv>
#include <limits>
#include <utility>

namespace ql {

namespace {

constexpr const char* BUTTON_NAMES[] = {"top-left", "bottom-left", "bottom-right", "top-right"};

struct KeyName {
    const char* name;
    std::uint8_t key;
};
constexpr KeyName KEY_NAMES[] = {
    {"up", KEY_UP}, {"down", KEY_DOWN}, {"left", KEY_LEFT}, {"right", KEY_RIGHT}};

struct UnitName {
    const char* suffix;
    std::uint64_t ms;
};
// "ms" before "m" and "s", so that the longest suffix wins.
constexpr UnitName UNITS[] = {{"ms", 1}, {"s", 1000}, {"m", 60'000}, {"h", 3'600'000}};

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && is_space(s.back()))
        s.remove_suffix(1);
    return s;
}

// Splits off the first word of `rest`.
std::string_view next_word(std::string_view& rest) {
    rest = trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !is_space(rest[end]))
        ++end;
    const std::string_view word = rest.substr(0, end);
    rest = trim(rest.substr(end));
    return word;
}

template <typename T> bool parse_integer(std::string_view text, T& value) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return first != last && ec == std::errc() && ptr == last;
}

bool parse_button(std::string_view word, std::uint8_t& button) {
    for (std::uint8_t b = 0; b < 4; ++b)
        if (word == BUTTON_NAMES[b]) {
            button = b;
            return true;
        }
    return false;
}

ScriptCommand press_at_button(std::uint8_t button, int line) {
    const ButtonRegion r = button_region(button);
    ScriptCommand c;
    c.op = ScriptOp::mouse_down;
    c.line = line;
    c.x = static_cast<std::int16_t>((r.left + r.right) / 2);
    c.y = static_cast<std::int16_t>((r.top + r.bottom) / 2);
    return c;
}

// Reads one script line into commands, or says what is wrong with it.
class LineParser {
  public:
    LineParser(int line, std::string_view text, std::vector<ScriptCommand>& out)
        : line_(line), rest_(text), out_(out) {}

    std::string parse() {
        command_ = next_word(rest_);
        if (command_ == "press" || command_ == "click" || command_ == "hold") return buttons();
        if (command_ == "release" || command_ == "mouse-up") return simple(ScriptOp::mouse_up);
        if (command_ == "mouse-down") return mouse_down();
        if (command_ == "key") return key();
        if (command_ == "wait") return wait();
        if (command_ == "print-lcd") return simple(ScriptOp::print_lcd);
        if (command_ == "print-state") return simple(ScriptOp::print_state);
        if (command_ == "save-lcd") return with_argument(ScriptOp::save_lcd, "a file name");
        if (command_ == "save-window") return with_argument(ScriptOp::save_window, "a file name");
        if (command_ == "expect-lcd") return with_argument(ScriptOp::expect_lcd, "a file name");
        if (command_ == "expect-screen") return expect_screen();
        if (command_ == "expect-text") return expect_text();
        if (command_ == "expect-state") return expect_state();
        if (command_ == "drive") return with_argument(ScriptOp::drive, "a file name");
        if (command_ == "record-gif") return with_argument(ScriptOp::record_gif, "a file name");
        if (command_ == "stop-gif") return simple(ScriptOp::stop_gif);
        if (command_ == "power-cycle") return simple(ScriptOp::power_cycle);
        return "unknown command \"" + std::string(command_) + "\" (see --help for the commands)";
    }

  private:
    ScriptCommand command(ScriptOp op) const {
        ScriptCommand c;
        c.op = op;
        c.line = line_;
        return c;
    }

    std::string too_many() const {
        return "too many arguments for " + std::string(command_) + ": \"" + std::string(rest_) +
               "\"";
    }

    std::string simple(ScriptOp op) {
        if (!rest_.empty()) return too_many();
        out_.push_back(command(op));
        return {};
    }

    std::string buttons() {
        const std::string usage =
            command_ == "hold" ? "hold BUTTON DURATION" : std::string(command_) + " BUTTON";
        const std::string_view word = next_word(rest_);
        std::uint8_t button = 0;
        if (word.empty())
            return usage + ": BUTTON is top-left, bottom-left, bottom-right or top-right";
        if (!parse_button(word, button))
            return "unknown button \"" + std::string(word) +
                   "\": use top-left, bottom-left, bottom-right or top-right";
        std::uint64_t ms = 0;
        if (command_ == "hold") {
            const std::string_view duration = next_word(rest_);
            if (duration.empty()) return usage + ": the DURATION is missing (e.g. 1.5s)";
            if (!parse_duration(duration, ms)) return bad_duration(duration);
        }
        if (!rest_.empty()) return too_many();
        out_.push_back(press_at_button(button, line_));
        if (command_ == "hold") {
            ScriptCommand w = command(ScriptOp::wait);
            w.ms = ms;
            out_.push_back(std::move(w));
        }
        if (command_ != "press") out_.push_back(command(ScriptOp::mouse_up));
        return {};
    }

    std::string mouse_down() {
        const std::string_view xs = next_word(rest_);
        const std::string_view ys = next_word(rest_);
        ScriptCommand c = command(ScriptOp::mouse_down);
        if (!parse_integer(xs, c.x) || !parse_integer(ys, c.y))
            return "mouse-down X Y: X and Y are whole numbers from -32768 to 32767";
        if (!rest_.empty()) return too_many();
        out_.push_back(std::move(c));
        return {};
    }

    std::string key() {
        const std::string_view name = next_word(rest_);
        ScriptCommand c = command(ScriptOp::key);
        bool known = false;
        for (const KeyName& k : KEY_NAMES)
            if (name == k.name) {
                c.key = k.key;
                known = true;
            }
        if (!known)
            return (name.empty() ? std::string("key KEY [COUNT]: KEY is missing")
                                 : "unknown key \"" + std::string(name) + "\"") +
                   "; use up, down, left or right";
        c.count = 1;
        const std::string_view count = next_word(rest_);
        if (!count.empty() &&
            (!parse_integer(count, c.count) || c.count < 1 || c.count > 1'000'000))
            return "key COUNT must be a whole number from 1 to 1000000, not \"" +
                   std::string(count) + "\"";
        if (!rest_.empty()) return too_many();
        out_.push_back(std::move(c));
        return {};
    }

    std::string wait() {
        const std::string_view duration = next_word(rest_);
        ScriptCommand c = command(ScriptOp::wait);
        if (duration.empty()) return "wait DURATION: the DURATION is missing (e.g. 250ms or 2s)";
        if (!parse_duration(duration, c.ms)) return bad_duration(duration);
        if (!rest_.empty()) return too_many();
        out_.push_back(std::move(c));
        return {};
    }

    std::string expect_screen() {
        const std::string_view name = next_word(rest_);
        if (name.empty()) return "expect-screen NAME: the screen NAME is missing";
        if (!rest_.empty()) return too_many();
        bool known = false;
        std::string names;
        for (const Screen* screen : all_screens()) {
            known = known || name == screen->name;
            names += (names.empty() ? "" : ", ") + std::string(screen->name);
        }
        if (!known)
            return "no screen is called \"" + std::string(name) + "\"; the screens are " + names;
        ScriptCommand c = command(ScriptOp::expect_screen);
        c.argument = name;
        out_.push_back(std::move(c));
        return {};
    }

    std::string expect_text() {
        const std::string usage = "expect-text \"TEXT\" [X Y W H]: ";
        if (rest_.empty() || rest_.front() != '"')
            return usage + "the TEXT in double quotes is missing";
        const std::size_t close = rest_.find('"', 1);
        if (close == std::string_view::npos) return usage + "the closing double quote is missing";
        ScriptCommand c = command(ScriptOp::expect_text);
        if (!utf8_to_latin1(rest_.substr(1, close - 1), c.argument))
            return usage + "the TEXT holds a character the device cannot show";
        if (c.argument.empty()) return usage + "the TEXT is empty";
        rest_ = trim(rest_.substr(close + 1));
        if (!rest_.empty()) {
            int* fields[] = {&c.region_x, &c.region_y, &c.region_width, &c.region_height};
            for (int* field : fields)
                if (!parse_integer(next_word(rest_), *field))
                    return usage + "X Y W H are four whole numbers";
            if (!rest_.empty()) return too_many();
            if (c.region_x < 0 || c.region_y < 0 || c.region_width < 1 || c.region_height < 1 ||
                c.region_x + c.region_width > 128 || c.region_y + c.region_height > 64)
                return usage + "the region must lie within the 128 x 64 LCD";
        }
        out_.push_back(std::move(c));
        return {};
    }

    std::string expect_state() {
        const std::string_view path = next_word(rest_);
        if (path.empty() || rest_.empty())
            return "expect-state PATH VALUE: the PATH and the VALUE are needed (e.g. "
                   "vehicle.interval_m 1000)";
        ScriptCommand c = command(ScriptOp::expect_state);
        c.argument = path;
        c.expected = rest_;
        out_.push_back(std::move(c));
        return {};
    }

    // One word, or a name in double quotes (which may hold spaces; the quotes are taken off).
    std::string with_argument(ScriptOp op, const char* what) {
        if (rest_.empty()) return std::string(command_) + ": " + what + " is missing";
        ScriptCommand c = command(op);
        if (rest_.front() == '"') {
            const std::size_t close = rest_.find('"', 1);
            if (close == std::string_view::npos)
                return std::string(command_) + ": the closing quote of the file name is missing";
            c.argument = rest_.substr(1, close - 1);
            rest_ = trim(rest_.substr(close + 1));
            if (c.argument.empty()) return std::string(command_) + ": " + what + " is missing";
        } else {
            c.argument = next_word(rest_);
        }
        if (!rest_.empty()) return too_many();
        out_.push_back(std::move(c));
        return {};
    }

    static std::string bad_duration(std::string_view text) {
        return "bad duration \"" + std::string(text) +
               "\": write a whole number of milliseconds as 250ms, 2s, 1.5s, 3m or "
               "1h, at most 8760h";
    }

    int line_;
    std::string_view rest_;
    std::string_view command_;
    std::vector<ScriptCommand>& out_;
};

// What a message echoes from the script: bytes that are not printable ASCII shown as \xNN, and any
// word longer than 40 characters cut, so that one bad line gives one readable line.
std::string shown(std::string_view message) {
    constexpr std::size_t LONGEST_WORD = 40;
    std::string out;
    std::size_t word = 0;
    for (const char ch : message) {
        const auto c = static_cast<unsigned char>(ch);
        word = c == ' ' ? 0 : word + 1;
        if (word == LONGEST_WORD + 1) out += "...";
        if (word > LONGEST_WORD) continue;
        if (c < 0x20 || c >= 0x7F) {
            constexpr char HEX[] = "0123456789abcdef";
            out += "\\x";
            out += HEX[c >> 4];
            out += HEX[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace

bool parse_duration(std::string_view text, std::uint64_t& ms) {
    const UnitName* unit = nullptr;
    for (const UnitName& u : UNITS) {
        const std::string_view suffix(u.suffix);
        if (text.size() > suffix.size() && text.ends_with(suffix)) {
            unit = &u;
            break;
        }
    }
    if (unit == nullptr) return false;
    const std::string_view number =
        text.substr(0, text.size() - std::string_view(unit->suffix).size());
    const std::size_t point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && fraction.empty())) return false;
    if (fraction.size() > 9) return false;
    std::uint64_t w = 0;
    std::uint64_t f = 0;
    for (char c : whole)
        if (c < '0' || c > '9') return false;
    for (char c : fraction)
        if (c < '0' || c > '9') return false;
    if (!parse_integer(whole, w) || (!fraction.empty() && !parse_integer(fraction, f)))
        return false;
    if (w > MAX_DURATION_MS / unit->ms) return false;
    std::uint64_t scale = 1;
    for (std::size_t i = 0; i < fraction.size(); ++i)
        scale *= 10;
    // The fraction must come to a whole number of milliseconds: 1.5s yes, 1.5ms
    // no.
    if ((f * unit->ms) % scale != 0) return false;
    const std::uint64_t total = w * unit->ms + f * unit->ms / scale;
    if (total > MAX_DURATION_MS) return false;
    ms = total;
    return true;
}

bool parse_script(const std::string& name, std::string_view text, Script& script,
                  std::string& error) {
    script.name = name;
    script.commands.clear();
    // A UTF-8 byte-order mark, as some editors write, is not part of the first line.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int line = 0;
    int recording = 0; // the line of the record-gif whose GIF is being recorded
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view content = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        content = trim(content.substr(0, content.find('#')));
        if (content.empty()) continue;
        std::string problem = LineParser(line, content, script.commands).parse();
        // One GIF at a time; a stop-gif needs a GIF to stop.
        if (problem.empty() && script.commands.back().op == ScriptOp::record_gif) {
            if (recording != 0)
                problem = "record-gif: the GIF of line " + std::to_string(recording) +
                          " is still being recorded (stop-gif first)";
            recording = line;
        }
        if (problem.empty() && script.commands.back().op == ScriptOp::stop_gif) {
            if (recording == 0) problem = "stop-gif: no record-gif before it";
            recording = 0;
        }
        if (!problem.empty()) {
            error = name + ":" + std::to_string(line) + ": " + shown(problem);
            script.commands.clear();
            return false;
        }
    }
    return true;
}

} // namespace ql
