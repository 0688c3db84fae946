#include "device/screens/common/list_screen.hpp"
#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/text.hpp"
#include "device/kernel/kernel.hpp"

namespace ql {

namespace {

constexpr std::uint8_t TITLE_X = 56;
constexpr std::uint8_t TITLE_Y = 4;
constexpr std::uint8_t TITLE_SIZE = 17;
constexpr std::uint8_t VALUE_RIGHT = 110;

void enter(Device& dev, const ListScreenTable& table) {
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_top_left(dev, legend_word(dev, Legend::Back));
    legend_bottom_left(dev, legend_word(dev, Legend::Ok));
    legend_bottom_right(dev, legend_symbol(LegendSymbol::Down));
    legend_top_right(dev, legend_symbol(LegendSymbol::Up));
    if (table.title_icon != nullptr) {
        move_to(dev, TITLE_X, TITLE_Y);
        blit_xor(dev, TITLE_SIZE, TITLE_SIZE, table.title_icon);
    }
    ListScreenState& list = table.state(dev);
    ListMenu& menu = list_screen_menu(dev, table);
    const std::uint8_t count = table.row_count < LIST_MAX_ITEMS ? table.row_count : LIST_MAX_ITEMS;
    for (std::uint8_t i = 0; i < count; ++i) {
        list.items[i].text = tr(dev, table.rows[i].label);
        list.items[i].draw_extra = table.rows[i].draw_extra;
    }
    menu.items = list.items.data();
    menu.count = count;
    if (table.prepare != nullptr) table.prepare(dev, list);
    // A list that shrank since the last visit keeps its selection inside it.
    if (menu.count != 0 && menu.selected >= menu.count)
        list_select(menu, static_cast<std::uint8_t>(menu.count - 1));
    list_attach(dev, menu);
    list_draw(dev);
}

void confirm(Device& dev, const ListScreenTable& table) {
    const ListMenu& menu = list_screen_menu(dev, table);
    if (menu.selected >= menu.count || menu.selected >= table.row_count) return;
    const ListRow& row = table.rows[menu.selected];
    if (row.choose != nullptr)
        row.choose(dev);
    else if (row.opens != nullptr)
        change_screen(dev, *row.opens);
}

} // namespace

void list_screen_handle(Device& dev, const ListScreenTable& table, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: enter(dev, table); break;
    case key_press(Button::TopLeft): change_screen(dev, *table.parent); break;
    case key_press(Button::BottomLeft): confirm(dev, table); break;
    case key_press(Button::BottomRight): list_down(dev); break;
    case key_press(Button::TopRight): list_up(dev); break;
    default:
        if (table.other != nullptr) table.other(dev, event);
        break;
    }
}

ListMenu& list_screen_menu(Device& dev, const ListScreenTable& table) {
    return table.own_menu != nullptr ? table.own_menu(dev) : table.state(dev).menu;
}

void list_select(ListMenu& menu, std::uint8_t index) {
    menu.selected = index;
    if (index < menu.top) menu.top = index;
    if (index > menu.top + 2) menu.top = static_cast<std::uint8_t>(index - 2);
}

void list_draw_value(Device& dev, std::uint8_t text_y, const char* value) {
    text_draw_at(dev, VALUE_RIGHT, text_y, ALIGN_RIGHT, value);
}

} // namespace ql
