#include "device/hardware/clocks.hpp"
#include "device/device.hpp"

namespace ql {

namespace {

// A carry is taken only when a field reaches its limit exactly, so a field that was set out
// of range counts on through 255 and 0 before it carries.
void advance(ClockCount& c) {
    if (++c.phase != 4) return;
    c.phase = 0;
    if (++c.seconds != 60) return;
    c.seconds = 0;
    if (++c.minutes != 60) return;
    c.minutes = 0;
    if (++c.hours != 24) return;
    c.hours = 0;
}

void read(const ClockCount& c, Clock& out) {
    out.fraction = static_cast<std::uint8_t>(c.phase * 64);
    out.seconds = c.seconds;
    out.minutes = c.minutes;
    out.hours = c.hours;
}

} // namespace

void clocks_tick(Device& dev, std::uint8_t timer_id) {
    if (timer_id != TIMER_TICK) return;
    Clocks& c = dev.clocks;
    if (c.stopwatch_run != 0) advance(c.stopwatch);
    advance(c.time_of_day);
}

void read_clock(Device& dev, Clock& out) {
    read(dev.clocks.time_of_day, out);
}

void read_stopwatch(Device& dev, Clock& out) {
    read(dev.clocks.stopwatch, out);
}

void set_clock(Device& dev, const Clock& time) {
    dev.clocks.time_of_day = {time.fraction, time.seconds, time.minutes, time.hours};
}

void stopwatch_control(Device& dev, StopwatchCommand command) {
    Clocks& c = dev.clocks;
    switch (command) {
    case STOPWATCH_RUN: c.stopwatch_run = 1; break;
    case STOPWATCH_STOP: c.stopwatch_run = 0; break;
    case STOPWATCH_RESET: c.stopwatch = {}; break;
    }
}

bool stopwatch_running(Device& dev) {
    return dev.clocks.stopwatch_run != 0;
}

} // namespace ql
