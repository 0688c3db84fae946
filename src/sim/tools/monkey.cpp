#include "sim/tools/monkey.hpp"
#include "device/hardware/buttons.hpp"
#include "device/hardware/keys.hpp"
#include "sim/host/shell.hpp"
#include "sim/script/ordered_jobs.hpp"
#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <random>
#include <sstream>
#include <vector>

namespace ql {

namespace {

constexpr const char* BUTTON_WORDS[] = {"top-left", "bottom-left", "bottom-right", "top-right"};
constexpr const char* KEY_WORDS[] = {"up", "down", "left", "right"};
constexpr std::uint8_t KEY_CODES[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
constexpr std::size_t HISTORY = 50;

bool clock_in_range(const ClockCount& c) {
    return c.phase < 4 && c.seconds < 60 && c.minutes < 60 && c.hours < 24;
}

// The rules every state between two messages keeps. Empty when all hold.
std::string broken_rule(Shell& shell) {
    Device& dev = shell.dev;
    const KernelState& k = dev.kernel;
    if (k.current_screen == nullptr) return "no current screen";
    if (k.pending_screen != nullptr || k.switch_queued)
        return std::string("a switch to ") +
               (k.pending_screen != nullptr ? k.pending_screen->name : "?") +
               " is left pending after the events were drained";
    if (k.queue.count != 0) return "events are left in the queue after a message";
    if ((k.system_flags & SF_QUEUE_OVERFLOW) != 0) return "the event queue overflowed";
    // Every getter checks what the screens stored; one that has to mend a value raises the flag.
    get_calibration(dev, DistanceUnit::Kilometres);
    get_calibration(dev, DistanceUnit::Miles);
    get_backlight(dev);
    get_contrast(dev);
    get_distance_unit(dev);
    get_fuel_unit(dev);
    get_resolution(dev);
    get_count_direction(dev);
    get_sleep(dev);
    get_aux_a_function(dev);
    get_aux_b_function(dev);
    get_language(dev);
    if ((k.system_flags & SF_SETTING_RANGE) != 0) return "a setting getter mended a stored value";
    if (!clock_in_range(dev.clocks.time_of_day)) return "the time of day is out of range";
    if (!clock_in_range(dev.clocks.stopwatch)) return "the stopwatch is out of range";
    if (dev.clocks.stopwatch_run > 1) return "the stopwatch's run flag is neither 0 nor 1";
    const VehicleModel& v = dev.vehicle;
    if (v.speed_tenths > 3000 || v.speed_tenths % 100 != 0) return "the speed is out of range";
    if (v.max_speed_tenths > 3000) return "the maximum speed is out of range";
    if (!std::isfinite(v.total_distance) || v.total_distance < 0.0f)
        return "the total distance is negative or not a number";
    for (float counter : v.counters)
        if (!std::isfinite(counter)) return "a distance counter is not a number";
    if (dev.lcd.out_of_range_writes != 0) return "the LCD was written outside the panel";
    return {};
}

class Monkey {
  public:
    explicit Monkey(const MonkeyOptions& options) : options_(options), random_(options.seed) {}

    MonkeyResult run() {
        check();
        while (result_.passed && result_.inputs < options_.inputs) {
            ++result_.inputs;
            one_input();
        }
        result_.simulated_ms = shell_.now_ms;
        return result_;
    }

  private:
    std::uint64_t below(std::uint64_t n) { return random_() % n; }

    void record(const std::string& line) {
        history_[history_next_ % HISTORY] = line;
        ++history_next_;
    }

    void one_input() {
        const std::uint64_t roll = below(100);
        const std::size_t b = static_cast<std::size_t>(below(4));
        if (roll < 35) {
            record(std::string("click ") + BUTTON_WORDS[b]);
            press(b);
            release();
        } else if (roll < 45) {
            const std::uint64_t ms = 1 + below(below(4) == 0 ? 8000 : 1500);
            record(std::string("hold ") + BUTTON_WORDS[b] + " " + std::to_string(ms) + "ms");
            press(b);
            advance(ms);
            release();
        } else if (roll < 52) {
            if (shell_.mouse_held) {
                record("release");
                release();
            } else {
                record(std::string("press ") + BUTTON_WORDS[b]);
                press(b);
            }
        } else if (roll < 55) {
            // Anywhere in the window, on a button or not.
            const auto x = static_cast<std::int16_t>(below(600));
            const auto y = static_cast<std::int16_t>(below(300));
            record("mouse-down " + std::to_string(x) + " " + std::to_string(y));
            shell_mouse_down(shell_, x, y);
            check();
        } else if (roll < 70) {
            const std::size_t k = static_cast<std::size_t>(below(4));
            record(std::string("key ") + KEY_WORDS[k]);
            shell_key_down(shell_, KEY_CODES[k]);
            check();
        } else {
            const std::uint64_t kind = below(100);
            const std::uint64_t ms = kind < 70   ? 1 + below(2000)
                                     : kind < 95 ? 1 + below(30'000)
                                                 : 1 + below(options_.max_wait_ms);
            record("wait " + std::to_string(ms) + "ms");
            advance(ms);
        }
    }

    void press(std::size_t b) {
        const ButtonRegion r = button_region(static_cast<int>(b));
        shell_mouse_down(shell_, static_cast<std::int16_t>((r.left + r.right) / 2),
                         static_cast<std::int16_t>((r.top + r.bottom) / 2));
        check();
    }

    void release() {
        shell_mouse_up(shell_);
        check();
        if (result_.passed &&
            (shell_.dev.buttons.pressed || timer_running(shell_.timers, TIMER_HOLD) ||
             timer_running(shell_.timers, TIMER_REPEAT)))
            fail("a button is still down after its release");
    }

    // Every timer expiry on the way is one message, checked on its own.
    void advance(std::uint64_t ms) {
        const std::uint64_t until = shell_.now_ms + ms;
        std::uint8_t id = 0;
        std::uint64_t due = 0;
        while (result_.passed && timer_take_due(shell_.timers, until, id, due)) {
            shell_.now_ms = due;
            shell_timer(shell_, id);
            check();
        }
        if (until > shell_.now_ms) shell_.now_ms = until;
    }

    void check() {
        if (!result_.passed) return;
        const Screen* screen = shell_.dev.kernel.current_screen;
        if (screen != last_screen_ && screen != nullptr) ++result_.screens[screen->name];
        last_screen_ = screen;
        const std::string rule = broken_rule(shell_);
        if (!rule.empty()) fail(rule);
    }

    void fail(const std::string& rule) {
        result_.passed = false;
        std::ostringstream text;
        text << "# the soak broke a rule at input " << result_.inputs << " of seed "
             << options_.seed << ", " << shell_.now_ms << " ms into the run: " << rule << "\n"
             << "# replay the whole run with: ql730-soak --seed " << options_.seed << " --inputs "
             << result_.inputs << "\n"
             << "# the last inputs, as a script:\n";
        const std::size_t count = history_next_ < HISTORY ? history_next_ : HISTORY;
        for (std::size_t i = history_next_ - count; i < history_next_; ++i)
            text << history_[i % HISTORY] << '\n';
        result_.failure = text.str();
    }

    MonkeyOptions options_;
    std::mt19937_64 random_;
    Shell shell_{ShellConfig{}};
    MonkeyResult result_;
    const Screen* last_screen_ = nullptr;
    std::array<std::string, HISTORY> history_;
    std::size_t history_next_ = 0;
};

} // namespace

MonkeyResult run_monkey(const MonkeyOptions& options) {
    return Monkey(options).run();
}

SoakResult run_soak(const SoakOptions& options) {
    const std::uint64_t per_seed = std::max<std::uint64_t>(1, options.per_seed);
    const std::uint64_t inputs = options.monkey.inputs;
    const std::size_t runs =
        static_cast<std::size_t>(inputs == 0 ? 1 : (inputs - 1) / per_seed + 1);
    std::vector<MonkeyResult> results(runs);
    SoakResult soak;
    run_ordered_jobs(
        runs, options.jobs,
        [&](std::size_t i) {
            MonkeyOptions one = options.monkey;
            one.seed += i;
            one.inputs = std::min(per_seed, inputs - i * per_seed);
            results[i] = run_monkey(one);
        },
        [&](std::size_t i) {
            MonkeyResult& run = results[i];
            MonkeyResult& total = soak.total;
            ++soak.seeds;
            total.inputs += run.inputs;
            total.simulated_ms += run.simulated_ms;
            for (const auto& [name, count] : run.screens)
                total.screens[name] += count;
            total.passed = run.passed;
            total.failure = std::move(run.failure);
            run = MonkeyResult{};
            return total.passed;
        });
    return soak;
}

void print_monkey_summary(const MonkeyResult& result, std::ostream& out) {
    out << "inputs: " << result.inputs << "\n"
        << "simulated hours: " << static_cast<double>(result.simulated_ms) / 3'600'000.0 << "\n"
        << "screens visited: " << result.screens.size() << "\n";
    for (const auto& [name, count] : result.screens)
        out << "  " << name << ": " << count << "\n";
}

} // namespace ql
