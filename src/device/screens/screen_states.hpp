#pragma once
#include "device/screens/common/list_screen_state.hpp"
#include "device/screens/menus/main_menu_state.hpp"
#include "device/screens/menus/settings_state.hpp"
#include "device/screens/menus/setup_state.hpp"
#include "device/screens/service/calibration_state.hpp"
#include "device/screens/service/service_state.hpp"
#include "device/screens/trip/trip_state.hpp"
#include <array>

namespace ql {

// The working values of every screen group, each kept by the group that owns it. They outlive
// the screens, so a list reopens where it was left.
struct ScreenStates {
    // The list screens of the screen list, one slot each (list_slot<ListSlot::ScreenSlot>).
    std::array<ListScreenState, LIST_SLOT_COUNT> lists{};
    TripScreenState trip;
    MainMenuState main_menu;
    SettingsScreenState settings;       // the settings list and its sub-screens
    SetupScreenState setup;             // set distance, speed alarm, clock, About, reset
    CalibrationScreenState calibration; // the calibration menu and its wizards
    ServiceScreenState service;         // fuel gauge and performance timer
};

} // namespace ql
