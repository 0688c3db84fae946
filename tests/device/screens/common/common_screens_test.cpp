#include "device/device.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/common/number_entry.hpp"
#include "device/ui/list_menu.hpp"
#include "device/wiring.hpp"
#include "support/screen_driver.hpp"
#include <gtest/gtest.h>
#include <string>

namespace ql {
namespace {

// A small screen group built from the shared pieces: a list of four rows (a value toggled in
// place, a row that opens the entry, two plain rows) and a number entry with limits 5-250.
struct TestGroup {
    ListScreenState list;
    bool lamp = false;
    std::int32_t stored = 42;
    bool clamped = false;
    int parent_entries = 0;
};
TestGroup group;

void parent_handle(Device&, std::uint8_t event) {
    if (event == EV_ENTER) ++group.parent_entries;
}
const Screen Parent{"Parent", parent_handle};
extern const Screen Entry;

void draw_lamp(Device& dev, std::uint8_t y) {
    list_draw_value(dev, y, group.lamp ? "[on]" : "[off]");
}
void toggle_lamp(Device& dev) {
    group.lamp = !group.lamp;
    list_redraw_selected(dev);
}

const ListRow ROWS[] = {
    {{"Lamp", "Lampe", "Lampada", "L\xE1mpara", "Lampe"}, nullptr, toggle_lamp, draw_lamp},
    {{"Value", "Valeur", "Valore", "Valor", "Wert"}, &Entry, nullptr, list_submenu_marker},
    {{"Three", "Trois", "Tre", "Tres", "Drei"}},
    {{"Four", "Quatre", "Quattro", "Cuatro", "Vier"}},
};
const ListScreenTable LIST{nullptr, ROWS, 4, &Parent,
                           [](Device&) -> ListScreenState& { return group.list; }};
void list_handle(Device& dev, std::uint8_t event) {
    list_screen_handle(dev, LIST, event);
}
const Screen List{"List", list_handle};

const NumberEntryLayout ENTRY{NUMEDIT_SMALL,
                              40,
                              30,
                              [](Device& dev, char* text) {
                                  text_copy(text,
                                            format_decimal(dev, group.stored, 3, 0, FMT_ZERO_PAD));
                              },
                              nullptr,
                              [](Device& dev, std::int32_t v, bool out) {
                                  group.stored = v;
                                  group.clamped = out;
                                  change_screen(dev, List);
                              },
                              5,
                              250,
                              &List};
void entry_handle(Device& dev, std::uint8_t event) {
    number_entry_handle(dev, ENTRY, event);
}
const Screen Entry{"Entry", entry_handle};

class CommonScreens : public test::ScreenDriver {
  protected:
    void SetUp() override {
        group = TestGroup{};
        ScreenDriver::SetUp();
        open(List);
    }
    std::string row(int r) const { return frame_picture(dev.lcd, 13, 25 + 13 * r, 102, 13); }
};

TEST_F(CommonScreens, ListShowsItsRowsInTheLanguageAndTogglesInPlace) {
    EXPECT_EQ(group.list.menu.count, 4);
    EXPECT_STREQ(group.list.items[0].text, "Lampada") << "the device starts in Italian";
    const std::string before = row(0);
    press(BTN_BOTTOM_LEFT);
    EXPECT_TRUE(group.lamp);
    EXPECT_NE(row(0), before) << "the value was redrawn in the highlighted row";
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(row(0), before);
    EXPECT_EQ(screen(), "List");
}

TEST_F(CommonScreens, ListScrollsKeepsItsPlaceAndGoesBack) {
    press(BTN_BOTTOM_RIGHT, 5);
    EXPECT_EQ(group.list.menu.selected, 3) << "no wrap at the end";
    EXPECT_EQ(group.list.menu.top, 1);
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "Parent");
    change_screen(dev, List);
    run_pending_events(dev);
    EXPECT_EQ(group.list.menu.selected, 3) << "kept across visits";
    press(BTN_TOP_RIGHT, 2);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(screen(), "Entry");
}

TEST_F(CommonScreens, EntryLoadsEditsAndStoresWithinItsLimits) {
    press(BTN_BOTTOM_RIGHT);
    press(BTN_BOTTOM_LEFT);
    ASSERT_EQ(screen(), "Entry");
    EXPECT_STREQ(dev.ui.entry_text.data(), "042");
    press(BTN_TOP_RIGHT, 3); // 342
    press(BTN_BOTTOM_LEFT, 3);
    EXPECT_EQ(screen(), "List");
    EXPECT_EQ(group.stored, 250);
    EXPECT_TRUE(group.clamped);

    press(BTN_BOTTOM_LEFT);
    EXPECT_STREQ(dev.ui.entry_text.data(), "250");
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_RIGHT, 2); // 230
    press(BTN_BOTTOM_LEFT, 2);
    EXPECT_EQ(group.stored, 230);
    EXPECT_FALSE(group.clamped);
}

TEST_F(CommonScreens, EntryLeftFromItsFirstCharacterChangesNothing) {
    press(BTN_BOTTOM_RIGHT);
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    press(BTN_TOP_RIGHT);
    press(BTN_TOP_LEFT, 2);
    EXPECT_EQ(screen(), "List");
    EXPECT_EQ(group.stored, 42);
}

} // namespace
} // namespace ql
