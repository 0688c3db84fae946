#pragma once
#include "graphics/draw.hpp"
#include "graphics/text.hpp"
#include "graphics/ui_state.hpp"
#include "hardware/buttons.hpp"
#include "hardware/clocks.hpp"
#include "hardware/fuel_sender.hpp"
#include "hardware/host.hpp"
#include "hardware/lcd_panel.hpp"
#include "hardware/perf_timer.hpp"
#include "hardware/vehicle.hpp"
#include "kernel/kernel.hpp"
#include "screens/screen_states.hpp"
#include "settings/settings.hpp"

namespace ql {

// The whole instrument: every piece of mutable state, aggregated from the modules that own it.
// Every operation takes the Device it works on, so any number of devices can live side by
// side and a new one starts from scratch.
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
