#include "device/screens/service/calibration_menu.hpp"
#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/menus/main_menu.hpp"
#include "device/screens/service/cal_value.hpp"
#include "device/screens/service/dist_calibration.hpp"
#include "device/screens/service/fuel_calibration.hpp"
#include "resources/service_icons.hpp"

namespace ql {

namespace {

const ListRow ROWS[] = {
    {{"Cal. Distance", "Cal. Distance", "Cal. Distanza", "Distancia", "Distanz"},
     &DistCalStartScreen,
     nullptr,
     list_submenu_marker},
    {{"Cal. Fuel", "Cal. Carburant", "Cal. Carburante", "Combustible", "Kraftstoff"},
     &FuelCalEmptyScreen,
     nullptr,
     list_submenu_marker},
    {{"Value", "Valeur", "Valore", "Valor", "Wert"}, &CalValueScreen, nullptr, list_submenu_marker},
};

const ListScreenTable MENU{
    CalibrationIcon.data(), ROWS, 3, &MainMenuScreen,
    [](Device& dev) -> ListScreenState& { return dev.screens.calibration.menu; }};

void handle(Device& dev, std::uint8_t event) {
    list_screen_handle(dev, MENU, event);
}

} // namespace

const Screen CalibrationMenuScreen{"CalibrationMenuScreen", handle};

} // namespace ql
