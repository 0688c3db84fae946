#include "screens/menus/return_to_trip.hpp"
#include "graphics/draw.hpp"
#include "graphics/legends.hpp"
#include "device/device.hpp"
#include "screens/trip/main_trip_screen.hpp"
#include "settings/settings.hpp"

namespace ql {

void return_to_trip_screen(Device& dev, std::uint8_t event) {
    if (event == EV_ENTER) {
        lcd_clear(dev);
        draw_side_bars(dev);
        legend_top_left(dev, legend_word(dev, Legend::Back));
    } else if (event_kind(event) == EventKind::KeyRelease) {
        change_screen(dev, MainTripScreen);
    }
}

} // namespace ql
