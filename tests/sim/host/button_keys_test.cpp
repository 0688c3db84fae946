#include "device/hardware/buttons.hpp"
#include "sim/host/button_keys.hpp"
#include "sim/script/state_dump.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(ButtonKeys, LaidOutLikeTheFaceplate) {
    EXPECT_EQ(button_for_key('q'), BTN_TOP_LEFT);
    EXPECT_EQ(button_for_key('a'), BTN_BOTTOM_LEFT);
    EXPECT_EQ(button_for_key('p'), BTN_TOP_RIGHT);
    EXPECT_EQ(button_for_key('l'), BTN_BOTTOM_RIGHT);
    EXPECT_EQ(button_for_key('1'), BTN_TOP_LEFT);
    EXPECT_EQ(button_for_key('4'), BTN_TOP_RIGHT);
    EXPECT_FALSE(button_for_key('n'));
}

// A key held as long as the mouse leaves the device in the same state, hold and repeats
// included, and the picture shows the button pressed only while it is down.
TEST(ButtonKeys, AKeyHeldIsAMouseHeld) {
    for (Button b : {BTN_TOP_LEFT, BTN_BOTTOM_LEFT, BTN_BOTTOM_RIGHT, BTN_TOP_RIGHT}) {
        Shell by_mouse, by_key;
        shell_paint(by_mouse);
        shell_paint(by_key);
        const ButtonRegion r = button_region(b);
        shell_mouse_down(by_mouse, static_cast<std::int16_t>((r.left + r.right) / 2),
                         static_cast<std::int16_t>((r.top + r.bottom) / 2));
        shell_button_key_down(by_key, b);
        EXPECT_EQ(shell_pressed_button(by_key), b);
        shell_advance_to(by_mouse, 2600);
        shell_advance_to(by_key, 2600);
        shell_mouse_up(by_mouse);
        shell_button_key_up(by_key, b);
        EXPECT_FALSE(shell_pressed_button(by_key));
        shell_advance_to(by_mouse, 4000);
        shell_advance_to(by_key, 4000);
        EXPECT_EQ(state_json(by_mouse), state_json(by_key));
        EXPECT_EQ(by_mouse.dev.lcd.frame_memory, by_key.dev.lcd.frame_memory);
    }
}

TEST(ButtonKeys, OnlyTheKeyThatPressedReleasesAndFocusLossReleasesIt) {
    Shell shell;
    shell_paint(shell);
    shell_button_key_down(shell, BTN_TOP_LEFT);
    shell_button_key_down(shell, BTN_TOP_RIGHT); // ignored: a button is down
    shell_button_key_up(shell, BTN_TOP_RIGHT);
    EXPECT_EQ(shell_pressed_button(shell), BTN_TOP_LEFT);
    shell_focus_lost(shell);
    EXPECT_FALSE(shell_pressed_button(shell));
    EXPECT_FALSE(shell.key_button);
    shell_button_key_up(shell, BTN_TOP_LEFT); // the release that came later changes nothing
    EXPECT_FALSE(shell_pressed_button(shell));
}

// With the window's look the picture follows the device's button by itself: pressed while it
// is down, the faceplate's own drawing again once released. The headless look, given the same
// input, never shows it.
TEST(ButtonKeys, ThePressedLookComesAndGoesWithTheButton) {
    Shell shell(ShellConfig{{}, {}, true, true});
    Shell headless(ShellConfig{});
    const ButtonRegion r = button_region(BTN_BOTTOM_LEFT);
    ASSERT_TRUE(shell_picture(shell).rgb == shell_picture(headless).rgb);
    shell.picture.changes_shown();
    shell_button_key_down(shell, BTN_BOTTOM_LEFT);
    shell_button_key_down(headless, BTN_BOTTOM_LEFT);
    ASSERT_TRUE(shell.picture.stale(shell.dev));
    const RgbImage& pressed = shell_picture(shell);
    const RgbImage& plain = shell_picture(headless);
    int darker = 0;
    for (int y = 0; y < pressed.height; ++y)
        for (int x = 0; x < pressed.width; ++x) {
            if (pressed.at(x, y) == plain.at(x, y)) continue;
            EXPECT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom) << x << "," << y;
            ++darker;
        }
    EXPECT_GT(darker, 100);
    shell_button_key_up(shell, BTN_BOTTOM_LEFT);
    shell_button_key_up(headless, BTN_BOTTOM_LEFT);
    EXPECT_TRUE(shell_picture(shell).rgb == shell_picture(headless).rgb);
}

} // namespace
} // namespace ql
