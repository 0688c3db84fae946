#include "sim/frontend/hint_line.hpp"
#include "sim/frontend/key_help.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

// The keys' hint, then the clock's state beside it; a message of a few seconds over one that
// stays, which then comes back; the window's one wake-up is when the short one ends.
TEST(HintLine, StateMessagesAndTheKeysShareTheLine) {
    HintLine hint;
    HintText shown = hint.text(0, {});
    EXPECT_EQ(shown.state, "");
    EXPECT_FALSE(shown.message);
    EXPECT_EQ(shown.lines[0] + "\n" + shown.lines[1], KEY_HINT);
    EXPECT_EQ(hint.text(0, {1, true, true}).state, "paused");
    EXPECT_EQ(hint.text(0, {16, false, true}).state, "x16");
    EXPECT_EQ(hint.text(0, {0.25, false, true}).state, "x0.25");
    EXPECT_FALSE(hint.next_change(0));

    hint.show_always("FAILED steps.txt:3: expected the screen MainMenuScreen, found "
                     "MainTripScreen");
    hint.show_until("Backlight: dim", 5000);
    shown = hint.text(2000, {1, true, true});
    EXPECT_TRUE(shown.message);
    EXPECT_EQ(shown.lines, (std::array<std::string, 2>{"Backlight: dim", ""}));
    EXPECT_EQ(hint.next_change(2000), 5000u);
    // Beside "paused" the first line is shorter.
    shown = hint.text(5000, {1, true, true});
    EXPECT_EQ(shown.lines, (std::array<std::string, 2>{"FAILED steps.txt:3: expected the screen",
                                                       "MainMenuScreen, found MainTripScreen"}));
    EXPECT_EQ(hint.text(5000, {}).lines[0], "FAILED steps.txt:3: expected the screen");
    EXPECT_FALSE(hint.next_change(5000));
    // What does not fit in two lines is cut, and says so.
    hint.show_always(std::string(100, 'x'));
    EXPECT_EQ(hint.text(5000, {}).lines[1], std::string(HINT_COLUMNS - 3, 'x') + "...");
}

} // namespace
} // namespace ql
