#include "device/hardware/vehicle.hpp"
#include "device/device.hpp"
#include "device/hardware/keys.hpp"
#include <algorithm>
#include <cmath>

namespace ql {

namespace {

constexpr std::uint16_t SPEED_STEP = 100; // 10 km/h
constexpr std::uint16_t SPEED_TOP = 3000;
constexpr std::uint16_t SPEED_READ_MAX = 9999;
// Metres covered in a quarter second at 1 km/h (1 / 14.4).
constexpr double METRES_PER_TICK_PER_KMH = 0.06944444444444445;

} // namespace

void vehicle_reset(Device& dev) {
    dev.vehicle = VehicleModel{};
}

void vehicle_key(Device& dev, std::uint8_t key) {
    VehicleModel& v = dev.vehicle;
    bool stopped_at_zero = false;
    if (key == KEY_UP) {
        if (v.speed_tenths <= SPEED_TOP - SPEED_STEP) v.speed_tenths += SPEED_STEP;
    } else if (key == KEY_DOWN) {
        if (v.speed_tenths < SPEED_STEP) {
            v.speed_tenths = 0;
            stopped_at_zero = true;
        } else {
            v.speed_tenths -= SPEED_STEP;
        }
    }
    if (!stopped_at_zero && v.speed_tenths > v.max_speed_tenths)
        v.max_speed_tenths = v.speed_tenths;
    dev.host->repaint_speed_text();
}

void set_vehicle_speed(Device& dev, std::uint16_t tenths) {
    VehicleModel& v = dev.vehicle;
    v.speed_tenths = std::min(tenths, SPEED_TOP);
    if (v.speed_tenths > v.max_speed_tenths) v.max_speed_tenths = v.speed_tenths;
    dev.host->repaint_speed_text();
}

void vehicle_tick(Device& dev, std::uint8_t timer_id) {
    if (timer_id != TIMER_TICK) return;
    VehicleModel& v = dev.vehicle;
    const double d = vehicle_tick_metres(v.speed_tenths);
    v.total_distance = static_cast<float>(v.total_distance + d);
    for (float& counter : v.counters)
        counter = static_cast<float>(v.counting_down ? counter - d : counter + d);
}

double vehicle_tick_metres(std::uint16_t speed_tenths) {
    // A whole km/h gives exactly the factor it always did.
    return (speed_tenths / 10.0) * METRES_PER_TICK_PER_KMH;
}

std::uint16_t get_speed(Device& dev, SpeedSource source) {
    if (source == SpeedSource::Current) return std::min(dev.vehicle.speed_tenths, SPEED_READ_MAX);
    if (source == SpeedSource::Maximum)
        return std::min(dev.vehicle.max_speed_tenths, SPEED_READ_MAX);
    return 0;
}

void set_max_speed(Device& dev, SpeedSource source, std::uint16_t value) {
    if (source != SpeedSource::Maximum) return;
    // Kept in whole km/h, as the counting hardware holds it.
    dev.vehicle.max_speed_tenths =
        static_cast<std::uint16_t>(std::min(value, SPEED_READ_MAX) / 10 * 10);
}

void get_distance_counter(Device& dev, Counter counter, std::int32_t& out) {
    const std::uint8_t index = static_cast<std::uint8_t>(counter);
    if (index >= DISTANCE_COUNTERS) {
        out = 0;
        return;
    }
    // Rounded to the nearest metre, halves upward. Truncating after adding a half would read
    // every negative count one metre short: a counter set to -5 m would read back -4 m.
    const double v = std::floor(static_cast<double>(dev.vehicle.counters[index]) + 0.5);
    // Limited before the conversion, so that a float far out of range cannot overflow it.
    if (v > DISTANCE_READ_MAX) {
        out = DISTANCE_READ_MAX;
    } else if (v < DISTANCE_READ_MIN) {
        out = DISTANCE_READ_MIN;
    } else {
        out = static_cast<std::int32_t>(v);
    }
}

void set_distance_counter(Device& dev, Counter counter, std::int32_t metres) {
    const std::uint8_t index = static_cast<std::uint8_t>(counter);
    if (index >= DISTANCE_COUNTERS) return;
    dev.vehicle.counters[index] = static_cast<float>(metres);
}

void set_counting_down(Device& dev, CountDirection direction) {
    dev.vehicle.counting_down = direction == CountDirection::Down;
}

void set_pulses_per_km(Device& dev, std::uint16_t pulses) {
    dev.vehicle.pulses_per_km = pulses;
}

void get_pulse_count(Device& dev, std::uint32_t& out) {
    const float km = dev.vehicle.total_distance * 0.001f;
    const float pulses = km * static_cast<float>(dev.vehicle.pulses_per_km);
    constexpr float LIMIT = 4294967040.0f; // the largest float below 2^32
    out = pulses >= LIMIT ? 0xFFFFFFFFu : static_cast<std::uint32_t>(pulses);
}

bool speed_alarm_fitted(Device& dev) {
    return dev.vehicle.alarm_fitted;
}

} // namespace ql
