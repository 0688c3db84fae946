#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
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

constexpr ListScreenTable MENU = list_table(CalibrationIcon, ROWS, MainMenuScreen,
                                            list_slot<ListSlot::CalibrationMenuScreenSlot>);

} // namespace

QL_DEFINE_SCREEN(CalibrationMenuScreen, list_screen<MENU>);

} // namespace ql
