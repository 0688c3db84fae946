#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace ql {

// The simulator's timers, keyed by the instant each one is next due. Every timer is periodic
// until it is stopped, as window-system timers are; starting a running timer restarts it.
// Times are milliseconds since the window was created.
struct TimerQueue {
    struct Entry {
        std::uint8_t id;
        std::uint32_t period_ms;
        std::uint64_t due_ms;
    };
    std::vector<Entry> entries;
};

void timer_start(TimerQueue& q, std::uint8_t id, std::uint32_t period_ms, std::uint64_t now_ms);
void timer_stop(TimerQueue& q, std::uint8_t id);
bool timer_running(const TimerQueue& q, std::uint8_t id);
std::optional<std::uint64_t> timer_next_due(const TimerQueue& q);

// Takes the next expiry due at or before `until` (among timers due at the same instant, the
// lowest id first) and schedules that timer's next expiry one period later.
bool timer_take_due(TimerQueue& q, std::uint64_t until, std::uint8_t& id, std::uint64_t& due_ms);

} // namespace ql
