#include "device/screens/common/number_entry.hpp"
#include "device/device.hpp"
#include "device/kernel/kernel.hpp"

namespace ql {

std::int32_t number_entry_value(Device& dev, const NumberEntryLayout& layout, bool& out_of_range) {
    std::int32_t value = 0;
    numedit_value(dev, value);
    out_of_range = value < layout.min || value > layout.max;
    if (value < layout.min) return layout.min;
    if (value > layout.max) return layout.max;
    return value;
}

void number_entry_handle(Device& dev, const NumberEntryLayout& layout, std::uint8_t event) {
    char* text = dev.ui.entry_text.data();
    switch (event) {
    case EV_ENTER:
        dev.ui.entry_text.fill('\0');
        layout.load(dev, text);
        dev.ui.entry_text.back() = '\0';
        numedit_open(dev, layout.size, layout.x, layout.y, text);
        if (layout.draw != nullptr) layout.draw(dev);
        break;
    case key_press(Button::TopRight): numedit_increment(dev); break;
    case key_press(Button::BottomRight): numedit_decrement(dev); break;
    case key_press(Button::TopLeft):
        if (!numedit_prev(dev)) change_screen(dev, *layout.back);
        break;
    case key_press(Button::BottomLeft):
        if (!numedit_next(dev)) {
            bool out_of_range = false;
            const std::int32_t value = number_entry_value(dev, layout, out_of_range);
            layout.accept(dev, value, out_of_range);
        }
        break;
    default: break;
    }
}

} // namespace ql
