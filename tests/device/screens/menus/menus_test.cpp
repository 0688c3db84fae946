#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "device/ui/list_menu.hpp"
#include "device/wiring.hpp"
#include "resources/menu_icons.hpp"
#include "support/screen_driver.hpp"
#include <gtest/gtest.h>
#include <string>

namespace ql {
namespace {

class MenuTest : public test::ScreenDriver {
  protected:
    const ListMenu& list() const { return *dev.ui.list; }
};

// Golden frames of the screens in the languages the Italian variant does not offer, reviewed by
// eye before they are committed.

struct LanguageCase {
    Variant variant;
    const char* name;
};

void PrintTo(const LanguageCase& c, std::ostream* os) {
    *os << c.name;
}

class MenuLanguages : public MenuTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(MenuLanguages, MenuStripAndSettingsListInTheVariantsLanguage) {
    use_variant(GetParam().variant);
    open(MainMenuScreen);
    EXPECT_FRAME(std::string("menu-") + GetParam().name);
    press(BTN_BOTTOM_RIGHT);
    press(BTN_BOTTOM_LEFT);
    ASSERT_EQ(screen(), "SettingsMenuScreen");
    press(BTN_BOTTOM_RIGHT, 7);
    EXPECT_FRAME(std::string("settings-end-") + GetParam().name);
    press(BTN_TOP_RIGHT, 7);
    EXPECT_FRAME(std::string("settings-") + GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Variants, MenuLanguages,
                         ::testing::Values(LanguageCase{VARIANT_FRANCE, "french"},
                                           LanguageCase{VARIANT_SPAIN, "spanish"},
                                           LanguageCase{VARIANT_GERMANY, "german"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(MenuTest, GermanUnitsReadMeilenAndLiterAfterEachToggle) {
    use_variant(VARIANT_GERMANY);
    open(UnitsScreen);
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_RIGHT);
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(get_distance_unit(dev), DistanceUnit::Miles);
    EXPECT_EQ(get_fuel_unit(dev), FuelUnit::Litres);
    EXPECT_FRAME("units-german");
}

// The picture a framed icon of the strip should show, drawn on a fresh panel.
std::string framed_icon(const Picture<25, 23>& icon) {
    Device ref;
    move_to(ref, 18, 11);
    blit_picture(ref, MenuFrameOther);
    move_to(ref, 19, 12);
    blit_picture(ref, icon);
    return frame_picture(ref.lcd, 18, 11, 27, 25);
}

TEST_F(MenuTest, WithoutTheSpeedAlarmSixEntriesAndALastSelectionOnTheAlarmBecomesAbout) {
    open(MainMenuScreen);
    press(BTN_TOP_RIGHT, 3);
    ASSERT_EQ(dev.screens.main_menu.main_menu_selection, 6) << "Speed Alarm";
    press(BTN_TOP_LEFT);
    dev.vehicle.alarm_fitted = false;
    open(MainMenuScreen);
    EXPECT_EQ(dev.screens.main_menu.main_menu_count, 6);
    EXPECT_EQ(dev.screens.main_menu.main_menu_selection, 0);
    EXPECT_EQ(region(18, 11, 27, 25), framed_icon(PerformanceMenuIcon)) << "About's left neighbour";
    press(BTN_TOP_RIGHT);
    EXPECT_EQ(dev.screens.main_menu.main_menu_selection, 5);
    press(BTN_BOTTOM_RIGHT);
    EXPECT_EQ(dev.screens.main_menu.main_menu_selection, 0);
}

TEST_F(MenuTest, ContrastIsStoredWhenTheScreenIsLeftAndNotBefore) {
    open(ContrastScreen);
    EXPECT_EQ(dev.screens.settings.contrast_bar_width, 44) << "32 of 63";
    press(BTN_BOTTOM_RIGHT, 31);
    EXPECT_EQ(dev.screens.settings.contrast_bar_width, 1) << "1 of 63";
    EXPECT_EQ(get_contrast(dev), 32) << "nothing stored while the screen shows";
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "SettingsMenuScreen");
    EXPECT_EQ(get_contrast(dev), 1);
}

TEST_F(MenuTest, StoredValuesOutOfRangeOpenOnTheirReplacementWithTheFlagRaised) {
    dev.settings.contrast = 200;
    open(ContrastScreen);
    EXPECT_EQ(dev.screens.settings.contrast_bar_width, 87) << "read as 63";
    EXPECT_NE(dev.kernel.system_flags & SF_SETTING_RANGE, 0);

    dev.kernel.system_flags = 0;
    dev.settings.aux_a_function = 12;
    open(AuxFunctionScreenA);
    EXPECT_EQ(list().selected, 0) << "None";
    EXPECT_EQ(list().items[0].draw_extra, &list_choice_marker);
    EXPECT_NE(dev.kernel.system_flags & SF_SETTING_RANGE, 0);

    dev.settings.backlight = 100;
    open(SettingsMenuScreen);
    const std::string dim = region(13, 25, 102, 13);
    set_backlight(dev, 40);
    open(SettingsMenuScreen);
    EXPECT_EQ(region(13, 25, 102, 13), dim) << "any level but off and on shows dim";
    dev.settings.backlight = 100;
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(get_backlight(dev), 0) << "after dim comes off";
}

TEST_F(MenuTest, AuxiliaryListOpensScrolledToTheStoredFunctionAndMovesItsMarker) {
    set_aux_a_function(dev, 8);
    open(AuxFunctionScreenA);
    EXPECT_EQ(list().selected, 8);
    EXPECT_EQ(list().top, 6);
    press(BTN_TOP_RIGHT, 8);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(get_aux_a_function(dev), 0);
    EXPECT_EQ(list().items[0].draw_extra, &list_choice_marker);
    EXPECT_EQ(list().items[8].draw_extra, nullptr);
    press(BTN_TOP_LEFT);
    EXPECT_EQ(dev.screens.settings.aux_functions.items[0].draw_extra, nullptr)
        << "the shared items carry no marker once the screen is left";
}

TEST_F(MenuTest, OneLanguageHidesTheLanguageRowEvenWhenItWasLastSelected) {
    open(SettingsMenuScreen);
    press(BTN_BOTTOM_RIGHT, 7);
    ASSERT_EQ(list().selected, 7);
    use_variant(VARIANT_UK);
    open(SettingsMenuScreen);
    EXPECT_EQ(list().count, 7);
    EXPECT_EQ(list().selected, 6);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(screen(), "AdvancedScreen");
}

TEST_F(MenuTest, ChoosingGermanFromEnglishSwitchesEveryTextAtOnce) {
    use_variant(VARIANT_GERMANY);
    set_language(dev, LANG_ENGLISH);
    open(LanguageScreen);
    EXPECT_EQ(list().count, 2);
    EXPECT_EQ(list().selected, 0);
    EXPECT_STREQ(list().items[1].text, "Deutsch");
    const std::string back_english = region(0, 0, 11, 30);
    press(BTN_BOTTOM_RIGHT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(get_language(dev), LANG_GERMAN);
    EXPECT_EQ(list().items[1].draw_extra, &list_choice_marker);
    EXPECT_EQ(list().items[0].draw_extra, nullptr);
    EXPECT_NE(region(0, 0, 11, 30), back_english) << "the back legend is redrawn in German";
    press(BTN_TOP_LEFT);
    EXPECT_STREQ(list().items[0].text, "Helligkeit");
}

} // namespace
} // namespace ql
