#include "device/wiring.hpp"
#include "device/device.hpp"
#include "device/hardware/buttons.hpp"
#include "device/hardware/clocks.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "device/hardware/perf_timer.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/power_on.hpp"

namespace ql {

void device_create(Device& dev) {
    lcd_init(dev);
    button_regions_init(dev);
    vehicle_reset(dev);
    perf_reset(dev);
    fuel_reset(dev);
}

void device_destroy(Device& dev) {
    lcd_release(dev);
}

void device_start(Device& dev, const PowerOnOptions& options) {
    power_on(dev, options);
    run_pending_events(dev);
}

void device_power_cycle(Device& dev, const PowerOnOptions& options) {
    const std::uint16_t speed = dev.vehicle.speed_tenths;
    const bool alarm_fitted = dev.vehicle.alarm_fitted;
    const std::uint8_t reading = dev.fuel.reading;
    // A button still held when the power comes back counts only when pressed again.
    dev.host->stop_timer(TIMER_HOLD);
    dev.host->stop_timer(TIMER_REPEAT);
    dev.kernel = KernelState{};
    dev.draw = DrawState{};
    dev.text = TextState{};
    dev.ui = UiState{};
    dev.screens = ScreenStates{};
    device_create(dev);
    dev.vehicle.speed_tenths = speed;
    dev.vehicle.alarm_fitted = alarm_fitted;
    dev.fuel.reading = reading;
    device_start(dev, options);
}

void device_timer(Device& dev, std::uint8_t timer_id) {
    button_timer(dev, timer_id);
    tick_timer(dev, timer_id);
    vehicle_tick(dev, timer_id);
    perf_tick(dev, timer_id);
    clocks_tick(dev, timer_id);
    run_pending_events(dev);
}

void device_key(Device& dev, std::uint8_t key) {
    vehicle_key(dev, key);
    fuel_key(dev, key);
    run_pending_events(dev);
}

void device_drive(Device& dev, std::uint16_t speed_tenths, std::optional<std::uint8_t> reading) {
    set_vehicle_speed(dev, speed_tenths);
    if (reading) set_sender_reading(dev, *reading);
    run_pending_events(dev);
}

void device_mouse_down(Device& dev, std::int16_t x, std::int16_t y) {
    button_press_at(dev, x, y);
    run_pending_events(dev);
}

void device_mouse_up(Device& dev) {
    button_release(dev);
    run_pending_events(dev);
}

} // namespace ql
