#include "screens/screen_list.hpp"
#include "screens/menus/about.hpp"
#include "screens/menus/advanced.hpp"
#include "screens/menus/aux_function.hpp"
#include "screens/menus/clock_adjust.hpp"
#include "screens/menus/contrast.hpp"
#include "screens/menus/language.hpp"
#include "screens/menus/main_menu.hpp"
#include "screens/menus/set_distance.hpp"
#include "screens/menus/settings_menu.hpp"
#include "screens/menus/speed_alarm.hpp"
#include "screens/menus/telemetry.hpp"
#include "screens/menus/units.hpp"
#include "screens/service/cal_value.hpp"
#include "screens/service/calibration_menu.hpp"
#include "screens/service/dist_calibration.hpp"
#include "screens/service/fuel_calibration.hpp"
#include "screens/service/fuel_gauge.hpp"
#include "screens/service/perf_screens.hpp"
#include "screens/trip/main_trip_screen.hpp"
#include <array>

namespace ql {

namespace {

constexpr std::array<const Screen*, 43> SCREENS{
    &AboutScreen,
    &AdvancedScreen,
    &AlarmSpeedEntryScreen,
    &AlarmSpeedScreen,
    &AuxFunctionScreenA,
    &AuxFunctionScreenB,
    &CalValueEditScreen,
    &CalValueRangeScreen,
    &CalValueScreen,
    &CalibrationMenuScreen,
    &ClockAdjustScreen,
    &ClockErrorScreen,
    &ContrastScreen,
    &DistCalDoneScreen,
    &DistCalDriveScreen,
    &DistCalEntryScreen,
    &DistCalHighScreen,
    &DistCalLowScreen,
    &DistCalNoPulsesScreen,
    &DistCalStartScreen,
    &DistCalZeroScreen,
    &DistanceEntryScreen,
    &FactoryResetScreen,
    &FuelCalAddScreen,
    &FuelCalAmountScreen,
    &FuelCalDecreaseScreen,
    &FuelCalDoneScreen,
    &FuelCalEmptyScreen,
    &FuelCalFullScreen,
    &FuelCalMaxScreen,
    &FuelCalSignalScreen,
    &FuelGaugeScreen,
    &LanguageScreen,
    &MainMenuScreen,
    &MainTripScreen,
    &PerfArmScreen,
    &PerfMenuScreen,
    &PerfRunScreen,
    &SetDistanceScreen,
    &SettingsMenuScreen,
    &SpeedAlarmScreen,
    &TelemetryScreen,
    &UnitsScreen,
};

} // namespace

std::span<const Screen* const> all_screens() {
    return SCREENS;
}

} // namespace ql
