#include "device/device.hpp"
#include "device/kernel/kernel.hpp"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ql {
namespace {

// Every screen of these tests writes "<screen>:<event>" into one log, so a test states the
// exact order in which the kernel delivered events.
std::vector<std::string> g_log;
void log_event(const char* who, std::uint8_t event) {
    char code[8];
    std::snprintf(code, sizeof code, "%02X", event);
    g_log.push_back(std::string(who) + ":" + code);
}

extern const Screen ScreenA;
extern const Screen ScreenB;
extern const Screen ScreenC;

// A switches to B on its first 250 ms tick.
void handle_a(Device& dev, std::uint8_t event) {
    log_event("A", event);
    if (event == EV_TICK_250MS) change_screen(dev, ScreenB);
}
void handle_b(Device&, std::uint8_t event) {
    log_event("B", event);
}
void handle_c(Device&, std::uint8_t event) {
    log_event("C", event);
}
// Asks for two switches while handling one key press.
void handle_greedy(Device& dev, std::uint8_t event) {
    log_event("G", event);
    if (event == EV_KEY_PRESS) {
        change_screen(dev, ScreenB);
        change_screen(dev, ScreenC);
    }
}

const Screen ScreenA{"A", handle_a};
const Screen ScreenB{"B", handle_b};
const Screen ScreenC{"C", handle_c};
const Screen GreedyScreen{"G", handle_greedy};

class KernelTest : public ::testing::Test {
  protected:
    void SetUp() override { g_log.clear(); }
    Device dev;

    std::vector<std::uint8_t> drain_codes() {
        std::vector<std::uint8_t> out;
        std::uint8_t code = 0xEE;
        while (take_event(dev, code))
            out.push_back(code);
        return out;
    }
};

TEST_F(KernelTest, QueueKeepsTheFirst32AndFlagsTheOverflow) {
    for (int i = 0; i < 33; ++i)
        post_event(dev, static_cast<std::uint8_t>(i));
    EXPECT_EQ(dev.kernel.system_flags, SF_QUEUE_OVERFLOW);
    const auto codes = drain_codes();
    ASSERT_EQ(codes.size(), 32u);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(codes[static_cast<std::size_t>(i)], i);
}

TEST_F(KernelTest, OrderSurvivesTheIndicesWrapping) {
    std::uint8_t code = 0;
    for (int i = 0; i < 40; ++i) {
        post_event(dev, static_cast<std::uint8_t>(i));
        post_event(dev, static_cast<std::uint8_t>(100 + i));
        ASSERT_TRUE(take_event(dev, code));
        EXPECT_EQ(code, i);
        ASSERT_TRUE(take_event(dev, code));
        EXPECT_EQ(code, 100 + i);
    }
    EXPECT_EQ(dev.kernel.queue.read_index, dev.kernel.queue.write_index);
    EXPECT_EQ(dev.kernel.queue.write_index, 80 % 32);
    EXPECT_EQ(dev.kernel.system_flags, 0);
}

TEST_F(KernelTest, TakingFromAnEmptyQueueFailsAndWritesZero) {
    std::uint8_t code = 0x55;
    EXPECT_FALSE(take_event(dev, code));
    EXPECT_EQ(code, 0);
}

TEST_F(KernelTest, ResetEmptiesTheQueueAndForgetsTheScreens) {
    change_screen(dev, ScreenA);
    run_pending_events(dev);
    post_event(dev, EV_TICK_1S);
    reset_kernel(dev);
    std::uint8_t code = 0;
    EXPECT_FALSE(take_event(dev, code));
    EXPECT_EQ(dev.kernel.current_screen, nullptr);
    EXPECT_EQ(dev.kernel.pending_screen, nullptr);
}

TEST_F(KernelTest, FirstSwitchWithNoScreenDeliversOnlyEnter) {
    post_event(dev, EV_TICK_250MS); // before power-on: nobody receives it
    change_screen(dev, ScreenB);
    run_pending_events(dev);
    EXPECT_EQ(g_log, (std::vector<std::string>{"B:10"}));
    EXPECT_EQ(dev.kernel.current_screen, &ScreenB);
    EXPECT_EQ(dev.kernel.pending_screen, nullptr);
}

TEST_F(KernelTest, ScreenNameIsTheCurrentScreensOnceTheSwitchIsHandled) {
    EXPECT_STREQ(screen_name(dev, "none"), "none");
    change_screen(dev, ScreenB);
    EXPECT_STREQ(screen_name(dev, "off"), "off") << "the switch waits in the queue";
    run_pending_events(dev);
    EXPECT_STREQ(screen_name(dev, "none"), "B");
}

TEST_F(KernelTest, ScreenChangedDuringATickStillSeesTheRestOfThatTick) {
    change_screen(dev, ScreenA);
    run_pending_events(dev);
    g_log.clear();
    post_event(dev, EV_TICK_250MS);
    post_event(dev, EV_TICK_500MS);
    post_event(dev, EV_TICK_1S);
    run_pending_events(dev);
    EXPECT_EQ(g_log, (std::vector<std::string>{"A:40", "A:50", "A:60", "A:20", "B:10"}));
    EXPECT_EQ(dev.kernel.current_screen, &ScreenB);
}

TEST_F(KernelTest, SecondSwitchBeforeTheFirstHappensIsRefused) {
    change_screen(dev, GreedyScreen);
    run_pending_events(dev);
    g_log.clear();
    post_event(dev, EV_KEY_PRESS);
    run_pending_events(dev);
    EXPECT_EQ(g_log, (std::vector<std::string>{"G:70", "G:20", "B:10"}));
    EXPECT_EQ(dev.kernel.current_screen, &ScreenB);
    EXPECT_EQ(dev.kernel.queue.count, 0);
    // Once the first switch is done, the next request is honoured again.
    change_screen(dev, ScreenC);
    run_pending_events(dev);
    EXPECT_EQ(dev.kernel.current_screen, &ScreenC);
}

TEST_F(KernelTest, SwitchWhoseExitWasDroppedCompletesAtTheNextExit) {
    change_screen(dev, ScreenB);
    run_pending_events(dev);
    g_log.clear();
    for (int i = 0; i < 32; ++i)
        post_event(dev, EV_TICK_250MS);
    change_screen(dev, ScreenC); // both posts dropped, the switch stays pending
    EXPECT_EQ(dev.kernel.pending_screen, &ScreenC);
    run_pending_events(dev);
    EXPECT_EQ(dev.kernel.current_screen, &ScreenB) << "no exit was dispatched yet";
    g_log.clear();
    post_event(dev, EV_EXIT);
    run_pending_events(dev);
    EXPECT_EQ(dev.kernel.current_screen, &ScreenC) << "the next exit completes the switch";
    EXPECT_EQ(dev.kernel.pending_screen, nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string>{"B:20"})) << "C got no enter of its own";
    // A new request is not blocked by the lost one.
    change_screen(dev, ScreenA);
    run_pending_events(dev);
    EXPECT_EQ(dev.kernel.current_screen, &ScreenA);
    EXPECT_EQ(g_log.back(), "A:10");
}

TEST_F(KernelTest, SystemFlagsOnlyAccumulate) {
    raise_system_flag(dev, SF_SETTING_RANGE);
    raise_system_flag(dev, SF_QUEUE_OVERFLOW);
    raise_system_flag(dev, SF_SETTING_RANGE);
    EXPECT_EQ(dev.kernel.system_flags, SF_SETTING_RANGE | SF_QUEUE_OVERFLOW);
}

} // namespace
} // namespace ql
