#include "sim/host/timer_queue.hpp"
#include <algorithm>

namespace ql {

namespace {

auto find_timer(TimerQueue& q, std::uint8_t id) {
    return std::find_if(q.entries.begin(), q.entries.end(),
                        [id](const TimerQueue::Entry& e) { return e.id == id; });
}

// The entry that fires first: earliest due time, then lowest id.
TimerQueue::Entry* earliest(TimerQueue& q) {
    TimerQueue::Entry* best = nullptr;
    for (TimerQueue::Entry& e : q.entries)
        if (best == nullptr || e.due_ms < best->due_ms ||
            (e.due_ms == best->due_ms && e.id < best->id))
            best = &e;
    return best;
}

} // namespace

void timer_start(TimerQueue& q, std::uint8_t id, std::uint32_t period_ms, std::uint64_t now_ms) {
    // A zero period would fire forever without time passing; window systems round it up too.
    const std::uint32_t period = std::max<std::uint32_t>(period_ms, 1);
    auto it = find_timer(q, id);
    if (it == q.entries.end())
        q.entries.push_back({id, period, now_ms + period});
    else
        *it = {id, period, now_ms + period};
}

void timer_stop(TimerQueue& q, std::uint8_t id) {
    auto it = find_timer(q, id);
    if (it != q.entries.end()) q.entries.erase(it);
}

bool timer_running(const TimerQueue& q, std::uint8_t id) {
    return std::any_of(q.entries.begin(), q.entries.end(),
                       [id](const TimerQueue::Entry& e) { return e.id == id; });
}

std::optional<std::uint64_t> timer_next_due(const TimerQueue& q) {
    std::optional<std::uint64_t> next;
    for (const TimerQueue::Entry& e : q.entries)
        if (!next || e.due_ms < *next) next = e.due_ms;
    return next;
}

bool timer_take_due(TimerQueue& q, std::uint64_t until, std::uint8_t& id, std::uint64_t& due_ms) {
    TimerQueue::Entry* e = earliest(q);
    if (e == nullptr || e->due_ms > until) return false;
    id = e->id;
    due_ms = e->due_ms;
    e->due_ms += e->period_ms;
    return true;
}

} // namespace ql
