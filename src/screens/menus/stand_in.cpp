#include "screens/menus/stand_in.hpp"
#include "device/device.hpp"
#include "graphics/draw.hpp"
#include "graphics/legends.hpp"
#include "screens/menus/main_menu.hpp"

namespace ql {

void return_to_menu_screen(Device& dev, std::uint8_t event) {
    if (event == EV_ENTER) {
        lcd_clear(dev);
        draw_side_bars(dev);
        legend_top_left(dev, legend_word(dev, Legend::Back));
    } else if (is_key_press(event, Button::TopLeft)) {
        change_screen(dev, MainMenuScreen);
    }
}

} // namespace ql
