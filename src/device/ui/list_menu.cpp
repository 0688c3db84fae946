#include "device/ui/list_menu.hpp"
#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/text.hpp"
#include "resources/list_markers.hpp"

namespace ql {
namespace {

constexpr std::uint8_t ROWS = 3; // shown at once

// Where the rows lie: each a band `height` tall, the first at `first_y`; a row's label and
// its marker are written inside its band.
struct RowPlaces {
    std::uint8_t x, width, height, first_y;
    std::uint8_t label_x, first_label_y, marker_x;
};
constexpr RowPlaces ROW{13, 102, 13, 25, 17, 27, 107};

std::uint8_t row_y(std::uint8_t row) {
    return static_cast<std::uint8_t>(ROW.first_y + ROW.height * row);
}

void draw_marker(Device& dev, std::uint8_t text_y, const Picture<4, 7>& marker) {
    move_to(dev, ROW.marker_x, static_cast<std::uint8_t>(text_y + 1));
    blit_picture(dev, marker);
}

} // namespace

void list_attach(Device& dev, ListMenu& list) {
    dev.ui.list = &list;
}

void list_clear_row(Device& dev, std::uint8_t row) {
    move_to(dev, ROW.x, row_y(row));
    draw_rect(dev, ROW.width, ROW.height, RECT_CLEAR);
}

void list_draw_item(Device& dev, const ListItem& item, std::uint8_t row) {
    const auto text_y = static_cast<std::uint8_t>(ROW.first_label_y + ROW.height * row);
    move_to(dev, ROW.label_x, text_y);
    text_draw(dev, text_scratch(dev, item.text != nullptr ? item.text : ""));
    if (item.draw_extra != nullptr) item.draw_extra(dev, text_y);
}

void list_invert_selection(Device& dev) {
    const ListMenu* list = dev.ui.list;
    if (list == nullptr) return;
    move_to(dev, ROW.x, row_y(static_cast<std::uint8_t>(list->selected - list->top)));
    draw_rect(dev, ROW.width, ROW.height, RECT_INVERT);
}

void list_draw_position(Device& dev) {
    const ListMenu* list = dev.ui.list;
    if (list == nullptr) return;
    const char text[] = {static_cast<char>('1' + list->selected), '/',
                         static_cast<char>('0' + list->count), '\0'};
    move_to(dev, 15, 3);
    draw_rect(dev, 16, 10, RECT_CLEAR);
    move_to(dev, 15, 3);
    text_draw(dev, text);
}

void list_draw(Device& dev) {
    const ListMenu* list = dev.ui.list;
    if (list == nullptr) return;
    std::uint8_t index = list->top;
    for (std::uint8_t row = 0; row < ROWS; ++row) {
        list_clear_row(dev, row);
        // An empty list, or a top past the end, leaves the rows blank.
        if (index < list->count && index <= list->top + 2) {
            list_draw_item(dev, list->items[index], row);
            ++index;
        }
    }
    if (list->count == 0) return;
    list_invert_selection(dev);
    list_draw_position(dev);
}

void list_up(Device& dev) {
    ListMenu* list = dev.ui.list;
    if (list == nullptr || list->selected == 0) return;
    list_invert_selection(dev);
    --list->selected;
    if (list->selected < list->top) {
        --list->top;
        list_draw(dev);
    } else {
        list_invert_selection(dev);
    }
    list_draw_position(dev);
}

void list_down(Device& dev) {
    ListMenu* list = dev.ui.list;
    if (list == nullptr || list->selected + 1 >= list->count) return;
    list_invert_selection(dev);
    ++list->selected;
    if (list->selected > list->top + 2) {
        ++list->top;
        list_draw(dev);
    } else {
        list_invert_selection(dev);
    }
    list_draw_position(dev);
}

void list_redraw_selected(Device& dev) {
    const ListMenu* list = dev.ui.list;
    if (list == nullptr || list->selected >= list->count) return;
    const auto row = static_cast<std::uint8_t>(list->selected - list->top);
    list_clear_row(dev, row);
    list_draw_item(dev, list->items[list->selected], row);
    list_invert_selection(dev);
}

void list_submenu_marker(Device& dev, std::uint8_t text_y) {
    draw_marker(dev, text_y, ListSubmenuMarker);
}

void list_choice_marker(Device& dev, std::uint8_t text_y) {
    draw_marker(dev, text_y, ListChoiceMarker);
}

} // namespace ql
