#include "sim/tools/monkey.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

// The same seed gives the same run; another seed another one. Every rule holds over a short
// run, which already leaves the trip screen for the menus.
TEST(Monkey, IsDeterministicAndKeepsEveryRule) {
    MonkeyOptions options;
    options.seed = 7;
    options.inputs = 3000;
    const MonkeyResult a = run_monkey(options);
    const MonkeyResult b = run_monkey(options);
    EXPECT_TRUE(a.passed) << a.failure;
    EXPECT_EQ(a.inputs, 3000u);
    EXPECT_EQ(a.simulated_ms, b.simulated_ms);
    EXPECT_EQ(a.screens, b.screens);
    EXPECT_GT(a.screens.size(), 5u);
    EXPECT_TRUE(a.screens.contains("MainMenuScreen"));
    options.seed = 8;
    EXPECT_NE(run_monkey(options).simulated_ms, a.simulated_ms);
}

} // namespace
} // namespace ql
