#include "device/screens/screen_list.hpp"
#include "device/screens/menus/about.hpp"
#include "device/screens/menus/advanced.hpp"
#include "device/screens/menus/aux_function.hpp"
#include "device/screens/menus/clock_adjust.hpp"
#include "device/screens/menus/contrast.hpp"
#include "device/screens/menus/language.hpp"
#include "device/screens/menus/main_menu.hpp"
#include "device/screens/menus/set_distance.hpp"
#include "device/screens/menus/settings_menu.hpp"
#include "device/screens/menus/speed_alarm.hpp"
#include "device/screens/menus/telemetry.hpp"
#include "device/screens/menus/units.hpp"
#include "device/screens/service/cal_value.hpp"
#include "device/screens/service/calibration_menu.hpp"
#include "device/screens/service/dist_calibration.hpp"
#include "device/screens/service/fuel_calibration.hpp"
#include "device/screens/service/fuel_gauge.hpp"
#include "device/screens/service/perf_screens.hpp"
#include "device/screens/trip/main_trip_screen.hpp"
#include <array>

namespace ql {

namespace {

constexpr std::array<const Screen*, 43> SCREENS{
    &AboutScreen,         &AdvancedScreen,        &AlarmSpeedEntryScreen, &AlarmSpeedScreen,
    &AuxFunctionScreenA,  &AuxFunctionScreenB,    &CalValueEditScreen,    &CalValueRangeScreen,
    &CalValueScreen,      &CalibrationMenuScreen, &ClockAdjustScreen,     &ClockErrorScreen,
    &ContrastScreen,      &DistCalDoneScreen,     &DistCalDriveScreen,    &DistCalEntryScreen,
    &DistCalHighScreen,   &DistCalLowScreen,      &DistCalNoPulsesScreen, &DistCalStartScreen,
    &DistCalZeroScreen,   &DistanceEntryScreen,   &FactoryResetScreen,    &FuelCalAddScreen,
    &FuelCalAmountScreen, &FuelCalDecreaseScreen, &FuelCalDoneScreen,     &FuelCalEmptyScreen,
    &FuelCalFullScreen,   &FuelCalMaxScreen,      &FuelCalSignalScreen,   &FuelGaugeScreen,
    &LanguageScreen,      &MainMenuScreen,        &MainTripScreen,        &PerfArmScreen,
    &PerfMenuScreen,      &PerfRunScreen,         &SetDistanceScreen,     &SettingsMenuScreen,
    &SpeedAlarmScreen,    &TelemetryScreen,       &UnitsScreen,
};

} // namespace

std::span<const Screen* const> all_screens() {
    return SCREENS;
}

} // namespace ql
