#pragma once
#include "device/ui/ui_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

// Makes `list` the one every other list operation works on.
void list_attach(Device& dev, ListMenu& list);
void list_draw(Device& dev);
// Move the selection by one, scrolling to keep it in view; nothing at the ends.
void list_up(Device& dev);
void list_down(Device& dev);
// For a screen that changed what the selected row shows.
void list_redraw_selected(Device& dev);
void list_draw_item(Device& dev, const ListItem& item, std::uint8_t row);
void list_clear_row(Device& dev, std::uint8_t row);
void list_invert_selection(Device& dev);
// "n/m" above the list: the selected item's number and the count.
void list_draw_position(Device& dev);

// draw_extra routines.
void list_submenu_marker(Device& dev, std::uint8_t text_y);
void list_choice_marker(Device& dev, std::uint8_t text_y);

} // namespace ql
