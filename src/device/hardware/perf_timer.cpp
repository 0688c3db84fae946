#include "device/hardware/perf_timer.hpp"
#include "device/device.hpp"
#include "device/hardware/vehicle.hpp"

namespace ql {

namespace {

constexpr std::uint16_t TIME_PER_TICK = 32; // 125 ms in 1/256 s
// s tenths of km/h cover s / 288 metres in 125 ms.
constexpr std::uint16_t TENTHS_KMH_PER_METRE_PER_TICK = 288;

void run_tick(Device& dev) {
    PerfTimerUnit& p = dev.perf;
    if (p.time < PERF_TIME_LIMIT) p.time += TIME_PER_TICK;
    const std::uint16_t s = get_speed(dev, SpeedSource::Current);
    p.speed = s;
    // The fraction of a metre of each tick is dropped.
    p.distance += s / TENTHS_KMH_PER_METRE_PER_TICK;
    if (p.config.end_speed != PERF_NO_END_SPEED && s > p.config.end_speed * 10)
        p.state = PERF_FINISHED;
    if (p.config.distance_limit != PERF_NO_DISTANCE_LIMIT && p.distance > p.config.distance_limit)
        p.state = PERF_FINISHED;
}

} // namespace

void perf_reset(Device& dev) {
    dev.perf.state = PERF_IDLE;
    dev.perf.pulse_rate = 1000;
}

void perf_set_pulse_rate(Device& dev, std::uint16_t pulses_per_km) {
    dev.perf.pulse_rate = pulses_per_km;
}

void perf_arm(Device& dev, const PerfTimerConfig& config) {
    PerfTimerUnit& p = dev.perf;
    p.config = config;
    p.distance = 0;
    p.speed = 0;
    p.time = 0;
    p.state = PERF_ARMED;
}

void perf_cancel(Device& dev) {
    dev.perf.state = PERF_IDLE;
}

void perf_read(Device& dev, PerfTimerResult& out) {
    const PerfTimerUnit& p = dev.perf;
    out.state = p.state;
    out.spare = 0;
    out.speed = p.speed;
    out.distance = p.distance;
    out.time = p.time;
}

void perf_tick(Device& dev, std::uint8_t timer_id) {
    if (timer_id != TIMER_PERF) return;
    PerfTimerUnit& p = dev.perf;
    // Compared as raw bytes although the units differ: such a run never advances.
    if (p.config.start_speed > p.config.end_speed) return;
    if (p.state == PERF_ARMED) {
        // Nothing is counted on the tick that sees the vehicle move.
        if (get_speed(dev, SpeedSource::Current) > p.config.start_speed) p.state = PERF_RUNNING;
    } else if (p.state == PERF_RUNNING) {
        run_tick(dev);
    }
}

} // namespace ql
