#include "device/screens/common/message_screen.hpp"
#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/text.hpp"
#include "device/kernel/kernel.hpp"

namespace ql {

namespace {
constexpr std::uint8_t MESSAGE_CENTRE = 64;
}

void draw_message(Device& dev, const Message& message) {
    const MessageLines& text = tr(dev, message);
    std::uint8_t row = text.row;
    for (const char* line : text.lines) {
        if (line == nullptr) break;
        text_draw_at(dev, MESSAGE_CENTRE, row, ALIGN_CENTRE, line);
        row = static_cast<std::uint8_t>(row + MESSAGE_LINE_PITCH);
    }
}

void draw_confirm_screen(Device& dev, const Message& message) {
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_bottom_left(dev, legend_word(dev, Legend::Ok));
    legend_top_left(dev, legend_word(dev, Legend::Back));
    draw_message(dev, message);
}

void message_screen_handle(Device& dev, const MessageScreenLayout& layout, std::uint8_t event) {
    if (event == EV_ENTER) {
        lcd_clear(dev);
        draw_side_bars(dev);
        legend_top_left(dev, legend_word(dev, layout.legend));
        move_to(dev, RESULT_ICON_X, layout.icon_y);
        blit_picture(dev, *layout.icon);
        draw_message(dev, *layout.message);
    } else if (is_key_press(event, BTN_TOP_LEFT)) {
        change_screen(dev, *layout.next);
    }
}

} // namespace ql
