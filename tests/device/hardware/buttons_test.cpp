#include "device/device.hpp"
#include "device/hardware/buttons.hpp"
#include "device/kernel/kernel.hpp"
#include "support/recording_host.hpp"
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace ql {
namespace {

// A host with a clock: periodic timers that fire in order of due time (then of id), each
// expiry handed to the button source, and every event it posts written down with its time.
class TimedHost final : public Host {
  public:
    explicit TimedHost(Device& dev) : dev_(dev) { dev.host = this; }

    void start_timer(std::uint8_t id, std::uint32_t period_ms) override {
        timers_[id] = {now_ + period_ms, period_ms};
    }
    void stop_timer(std::uint8_t id) override { timers_.erase(id); }

    bool running(std::uint8_t id) const { return timers_.count(id) != 0; }

    void advance_to(std::uint64_t time_ms) {
        for (;;) {
            auto next = timers_.end();
            for (auto it = timers_.begin(); it != timers_.end(); ++it)
                if (it->second.due <= time_ms &&
                    (next == timers_.end() || it->second.due < next->second.due))
                    next = it;
            if (next == timers_.end()) break;
            now_ = next->second.due;
            next->second.due += next->second.period;
            button_timer(dev_, next->first);
            collect();
        }
        now_ = time_ms;
    }

    void press(std::int16_t x, std::int16_t y) {
        button_press_at(dev_, x, y);
        collect();
    }
    void release() {
        button_release(dev_);
        collect();
    }

    std::vector<std::string> events;

  private:
    void collect() {
        std::uint8_t code = 0;
        while (take_event(dev_, code)) {
            char text[24];
            std::snprintf(text, sizeof text, "%llu %02X", static_cast<unsigned long long>(now_),
                          code);
            events.push_back(text);
        }
    }

    struct Timer {
        std::uint64_t due;
        std::uint32_t period;
    };
    Device& dev_;
    std::map<std::uint8_t, Timer> timers_;
    std::uint64_t now_ = 0;
};

using Events = std::vector<std::string>;

std::vector<std::uint8_t> drain(Device& dev) {
    std::vector<std::uint8_t> out;
    std::uint8_t code = 0;
    while (take_event(dev, code))
        out.push_back(code);
    return out;
}

// The button hit by a press at (x, y) from idle, or -1 when nothing was posted.
int button_at(int x, int y) {
    Device dev;
    button_regions_init(dev);
    button_press_at(dev, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    const std::vector<std::uint8_t> events = drain(dev);
    if (events.empty()) return -1;
    return events.front() - EV_KEY_PRESS;
}

TEST(ButtonRegions, EdgesAreHalfOpen) {
    EXPECT_EQ(button_at(38, 50), button_index(BTN_TOP_LEFT));
    EXPECT_EQ(button_at(89, 96), button_index(BTN_TOP_LEFT));
    EXPECT_EQ(button_at(90, 50), -1);
    EXPECT_EQ(button_at(37, 50), -1);
    EXPECT_EQ(button_at(38, 97), -1);
    EXPECT_EQ(button_at(38, 129), button_index(BTN_BOTTOM_LEFT));
    EXPECT_EQ(button_at(38, 176), -1);
    EXPECT_EQ(button_at(460, 176), button_index(BTN_BOTTOM_RIGHT))
        << "one pixel taller than the others";
    EXPECT_EQ(button_at(461, 176), -1);
    EXPECT_EQ(button_at(412, 50), button_index(BTN_TOP_RIGHT));
    EXPECT_EQ(button_at(460, 97), -1);
    EXPECT_EQ(button_at(-38, -50), -1);
}

TEST(ButtonRegions, CentresOfTheAreasHitTheirButtons) {
    for (int b = 0; b < BUTTON_COUNT; ++b) {
        const ButtonRegion r = button_region(b);
        EXPECT_EQ(button_at((r.left + r.right) / 2, (r.top + r.bottom) / 2), b);
    }
    const ButtonRegion none = button_region(4);
    EXPECT_EQ(none.right - none.left, 0);
}

TEST(ButtonTiming, HeldForTwoAndAHalfSeconds) {
    Device dev;
    TimedHost host(dev);
    button_regions_init(dev);
    host.press(60, 150);
    host.advance_to(2500);
    host.release();
    EXPECT_EQ(host.events,
              (Events{"0 71", "700 71", "1000 81", "1400 71", "2100 71", "2450 71", "2500 91"}));
    EXPECT_FALSE(host.running(TIMER_HOLD));
    EXPECT_FALSE(host.running(TIMER_REPEAT));
}

TEST(ButtonTiming, AQuickClickIsOnlyPressAndRelease) {
    Device dev;
    TimedHost host(dev);
    button_regions_init(dev);
    host.press(60, 60);
    host.advance_to(699);
    host.release();
    host.advance_to(5000);
    EXPECT_EQ(host.events, (Events{"0 70", "699 90"}));
}

TEST(ButtonTiming, TimerCallsToTheHost) {
    Device dev;
    test::RecordingHost host;
    dev.host = &host;
    button_regions_init(dev);
    button_press_at(dev, 60, 60);
    button_timer(dev, TIMER_REPEAT);
    button_timer(dev, TIMER_HOLD);
    button_timer(dev, TIMER_REPEAT);
    button_timer(dev, TIMER_REPEAT);
    button_timer(dev, TIMER_TICK);
    button_release(dev);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"start 32 1000", "start 33 700", "start 33 700", "stop 32",
                                        "start 33 700", "start 33 350", "stop 32", "stop 33"}));
    EXPECT_EQ(drain(dev), (std::vector<std::uint8_t>{0x70, 0x70, 0x80, 0x70, 0x70, 0x90}));
}

TEST(ButtonPresses, APressOutsideEveryButtonWhileDownPressesItAgain) {
    Device dev;
    TimedHost host(dev);
    button_regions_init(dev);
    host.press(420, 140);
    host.advance_to(1500);
    host.press(250, 120); // on the LCD, between the buttons
    host.advance_to(2300);
    host.release();
    EXPECT_EQ(host.events,
              (Events{"0 72", "700 72", "1000 82", "1400 72", "1500 72", "2200 72", "2300 92"}))
        << "the second press restarts both timers with a fresh repeat count";
}

TEST(ButtonPresses, APressOnAnotherButtonWhileDownSwitchesToIt) {
    Device dev;
    TimedHost host(dev);
    button_regions_init(dev);
    host.press(60, 60);
    host.advance_to(100);
    host.press(60, 150);
    host.advance_to(900);
    host.release();
    EXPECT_EQ(host.events, (Events{"0 70", "100 71", "800 71", "900 91"}));
}

TEST(ButtonPresses, OutsideWhileIdleAndReleaseWhileIdleDoNothing) {
    Device dev;
    test::RecordingHost host;
    dev.host = &host;
    button_regions_init(dev);
    button_press_at(dev, 250, 120);
    button_release(dev);
    EXPECT_TRUE(drain(dev).empty());
    EXPECT_TRUE(host.calls.empty());
}

TEST(ButtonPresses, ReleaseGoesToTheButtonThatIsDownAndOnlyOnce) {
    Device dev;
    button_regions_init(dev);
    button_press_at(dev, 430, 150);
    button_release(dev);
    button_release(dev);
    EXPECT_EQ(drain(dev), (std::vector<std::uint8_t>{0x72, 0x92}));
}

TEST(Ticks, PatternOfTheFirstEightTicks) {
    Device dev;
    std::vector<std::vector<std::uint8_t>> per_tick;
    for (int i = 0; i < 8; ++i) {
        tick_timer(dev, TIMER_TICK);
        per_tick.push_back(drain(dev));
    }
    using T = std::vector<std::uint8_t>;
    const T all{EV_TICK_250MS, EV_TICK_500MS, EV_TICK_1S};
    const T half{EV_TICK_250MS, EV_TICK_500MS};
    const T quarter{EV_TICK_250MS};
    EXPECT_EQ(per_tick, (std::vector<T>{all, quarter, half, quarter, all, quarter, half, quarter}));
}

TEST(Ticks, OnlyTheQuarterSecondTimerTicksAndButtonsIgnoreIt) {
    Device dev;
    tick_timer(dev, TIMER_PERF);
    tick_timer(dev, TIMER_HOLD);
    tick_timer(dev, TIMER_REPEAT);
    EXPECT_TRUE(drain(dev).empty());
    EXPECT_EQ(dev.buttons.tick_count, 0u);
    button_timer(dev, TIMER_TICK);
    button_timer(dev, TIMER_PERF);
    EXPECT_TRUE(drain(dev).empty());
}

TEST(Ticks, RebuildingTheRegionsDoesNotRestartTheTickCount) {
    Device dev;
    tick_timer(dev, TIMER_TICK);
    button_regions_init(dev);
    drain(dev);
    tick_timer(dev, TIMER_TICK);
    EXPECT_EQ(drain(dev), (std::vector<std::uint8_t>{EV_TICK_250MS}));
}

} // namespace
} // namespace ql
