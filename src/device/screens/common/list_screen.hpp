#pragma once
#include "device/device.hpp"
#include "device/kernel/screen.hpp"
#include "device/screens/common/list_screen_state.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/languages.hpp"
#include "device/ui/list_menu.hpp"
#include <array>
#include <cstddef>
#include <cstdint>

namespace ql {

// One row of a list screen: its label in each language, and what OK does on it: open a
// screen, or make a choice in place. draw_extra draws the row's marker or current value.
struct ListRow {
    Texts label;
    const Screen* opens = nullptr;
    void (*choose)(Device& dev) = nullptr;
    void (*draw_extra)(Device& dev, std::uint8_t text_y) = nullptr;
};

// A list screen, described by a table. On entry it clears the panel, draws the side bars, the
// list legends (back, OK, down, up) and its 17 x 17 title icon at (56, 4), writes the labels
// of the current language into the items and draws the list. Back opens `parent`; OK acts
// on the selected row; the right-hand buttons move the selection. There is no idle time-out.
struct ListScreenTable {
    const std::uint8_t* title_icon; // 17 x 17, or nullptr
    const ListRow* rows;
    std::uint8_t row_count;
    const Screen* parent;
    // Where the list is kept: list_slot<ListSlot::NameSlot> for a list screen of the list.
    ListScreenState& (*state)(Device& dev);
    // Runs on entry after the items are filled and before the list is drawn: it may shorten
    // the list, move the selection or place a choice marker.
    void (*prepare)(Device& dev, ListScreenState& list) = nullptr;
    // Events the common mapping leaves alone (EV_EXIT, ticks).
    void (*other)(Device& dev, std::uint8_t event) = nullptr;
    // For a screen that shows the items of another screen's state with a selection of its
    // own: its ListMenu. Without it the list uses the state's menu.
    ListMenu& (*own_menu)(Device& dev) = nullptr;
};

// The table of a list screen showing every row of `rows` below `title_icon` (a 17 x 17
// picture), going back to `parent`.
template <typename Icon, std::size_t N>
constexpr ListScreenTable list_table(const Icon& title_icon, const ListRow (&rows)[N],
                                     const Screen& parent, ListScreenState& (*state)(Device& dev),
                                     void (*prepare)(Device& dev,
                                                     ListScreenState& list) = nullptr) {
    static_assert(N <= 255, "a list holds at most 255 rows");
    return {title_icon.data(), rows, static_cast<std::uint8_t>(N), &parent, state, prepare};
}

// The state a list screen keeps in its slot; also its table's state routine:
// list_slot<ListSlot::UnitsScreenSlot>.
template <ListSlot SLOT> ListScreenState& list_slot(Device& dev) {
    return dev.screens.lists[static_cast<std::size_t>(SLOT)];
}

// The ListMenu a list screen works on.
ListMenu& list_screen_menu(Device& dev, const ListScreenTable& table);

void list_screen_handle(Device& dev, const ListScreenTable& table, std::uint8_t event);

// The handling routine of a list screen: QL_DEFINE_SCREEN(Name, list_screen<TABLE>).
template <const ListScreenTable& TABLE> void list_screen(Device& dev, std::uint8_t event) {
    list_screen_handle(dev, TABLE, event);
}

// Makes item `index` the selection, scrolling the least that brings it into view.
void list_select(ListMenu& menu, std::uint8_t index);

// Draws a bracketed value at the right end of a row: "[on]", "[km]".
void list_draw_value(Device& dev, std::uint8_t text_y, const char* value);

// A setting with two values that a row switches in place, showing the current one in
// brackets at the row's end.
struct Toggle {
    Texts off; // shown while is_on is false
    Texts on;
    bool (*is_on)(Device& dev);
    void (*set)(Device& dev, bool on);
};

// The values of an on/off switch.
inline constexpr Texts SWITCH_OFF{"[off]", "[off]", "[off]", "[apg]", "[aus]"};
inline constexpr Texts SWITCH_ON{"[on]", "[on]", "[on]", "[enc]", "[ein]"};

template <const Toggle& T> void toggle_draw(Device& dev, std::uint8_t text_y) {
    list_draw_value(dev, text_y, tr(dev, T.is_on(dev) ? T.on : T.off));
}

template <const Toggle& T> void toggle_choose(Device& dev) {
    T.set(dev, !T.is_on(dev));
    list_redraw_selected(dev);
}

// The row of a toggle: OK switches it, and the row shows the value it now has.
template <const Toggle& T> constexpr ListRow toggle_row(const Texts& label) {
    return {label, nullptr, toggle_choose<T>, toggle_draw<T>};
}

} // namespace ql
