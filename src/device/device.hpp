#pragma once
#include "device/graphics/draw_state.hpp"
#include "device/graphics/text_state.hpp"
#include "device/hardware/buttons_state.hpp"
#include "device/hardware/clocks_state.hpp"
#include "device/hardware/fuel_sender_state.hpp"
#include "device/hardware/host.hpp"
#include "device/hardware/lcd_panel_state.hpp"
#include "device/hardware/perf_timer_state.hpp"
#include "device/hardware/vehicle_state.hpp"
#include "device/kernel/kernel_state.hpp"
#include "device/screens/screen_states.hpp"
#include "device/settings/settings_state.hpp"
#include "device/ui/ui_state.hpp"

namespace ql {

// The whole instrument: every piece of mutable state, aggregated from the modules that own it.
// Every operation takes the Device it works on, so any number of devices can live side by
// side and a new one starts from scratch. Only the modules' state headers (*_state.hpp) are
// included here, never their operations, so that every module sees the Device without
// seeing the modules above it.
struct Device {
    KernelState kernel;
    Settings settings;
    LcdPanel lcd;
    DrawState draw;
    TextState text;
    UiState ui;
    VehicleModel vehicle;
    PerfTimerUnit perf;
    Clocks clocks;
    FuelSender fuel;
    ButtonInput buttons;
    ScreenStates screens;

    // The simulator around the device, or nobody.
    Host* host = &no_host;

    Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

  private:
    struct NoHost final : Host {};
    NoHost no_host;
};

} // namespace ql
