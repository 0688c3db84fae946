#pragma once
#include "device/graphics/draw.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/buttons.hpp"
#include "device/hardware/clocks.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/host.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "device/hardware/perf_timer.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_states.hpp"
#include "device/settings/settings.hpp"
#include "device/ui/ui_state.hpp"

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
