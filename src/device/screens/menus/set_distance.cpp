#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/common/number_entry.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "device/settings/units.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

template <Counter COUNTER> void choose_counter(Device& dev) {
    dev.screens.setup.distance_target = COUNTER;
    change_screen(dev, DistanceEntryScreen);
}

const ListRow COUNTER_ROWS[] = {
    {{"Set Interval", "R\xE9gla. Intervalle", "Imp. Intervallo", "Ajust. Intervalo",
      "Intervall festl."},
     nullptr,
     choose_counter<COUNTER_INTERVAL>,
     list_submenu_marker},
    {{"Set Total", "R\xE9gla. Total", "Imp. Totale", "Ajust. Total", "Gesamt festl."},
     nullptr,
     choose_counter<COUNTER_TOTAL>,
     list_submenu_marker},
};

constexpr ListScreenTable COUNTER_LIST = list_table(
    DoubleArrowTitleIcon, COUNTER_ROWS, MainMenuScreen, list_slot<ListSlot::SetDistanceScreenSlot>);

// ---- the editor

constexpr Texts INTERVAL_KM = {"Interval (km)", "Intervalle (km)", "Intervallo (km)",
                               "Intervalo (km)", "Intervall (km)"};
constexpr Texts INTERVAL_MILES = {"Interval (mile)", "Intervalle (mile)", "Intervallo (miglia)",
                                  "Intervalo (millas)", "Intervall (meilen)"};
constexpr Texts TOTAL_KM = {"Total (km)", "Total (km)", "Totale (km)", "Total (km)", "Gesamt (km)"};
constexpr Texts TOTAL_MILES = {"Total (mile)", "Total (mile)", "Totale (miglia)", "Total (millas)",
                               "Gesamt (meilen)"};

// Always from zero, to the metre with high resolution and to ten metres in rally.
void load_template(Device& dev, char* text) {
    text_copy(text, get_resolution(dev) == Resolution::High ? "+00.000" : "+000.00");
}

// The typed value in thousandths of the unit, then metres.
void load_counter(Device& dev, std::int32_t value, bool) {
    std::int32_t v = value;
    if (get_resolution(dev) == Resolution::Rally) v *= 10;
    if (in_miles(dev)) miles_to_km(v);
    set_distance_counter(dev, dev.screens.setup.distance_target, v);
    change_screen(dev, MainTripScreen);
}

const NumberEntryLayout DISTANCE_ENTRY{NUMEDIT_LARGE, 21,     14,    load_template,     nullptr,
                                       load_counter,  -99999, 99999, &SetDistanceScreen};

void entry_handle(Device& dev, std::uint8_t event) {
    if (event == EV_ENTER) {
        lcd_clear(dev);
        const bool total = dev.screens.setup.distance_target == COUNTER_TOTAL;
        const Texts& title = total ? (in_miles(dev) ? TOTAL_MILES : TOTAL_KM)
                                   : (in_miles(dev) ? INTERVAL_MILES : INTERVAL_KM);
        text_draw_at(dev, 64, 41, ALIGN_CENTRE, tr(dev, title));
    } else if (is_key_hold(event, Button::TopLeft)) {
        // A hold leaves from anywhere in the number, without a change.
        change_screen(dev, SetDistanceScreen);
        return;
    }
    number_entry_handle(dev, DISTANCE_ENTRY, event);
}

} // namespace

QL_DEFINE_SCREEN(SetDistanceScreen, list_screen<COUNTER_LIST>);
QL_DEFINE_SCREEN(DistanceEntryScreen, entry_handle);

} // namespace ql
