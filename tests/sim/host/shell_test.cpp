#include "device/hardware/buttons.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/perf_timer.hpp"
#include "sim/host/button_keys.hpp"
#include "sim/host/settings_file.hpp"
#include "sim/host/shell.hpp"
#include "sim/picture/faceplate.hpp"
#include "sim/picture/status_text.hpp"
#include "device/hardware/clocks.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace ql {
namespace {

// What a screen saw, as "time:code" (and, for 250 ms ticks, the interval distance it read).
std::vector<std::string> g_seen;
const Shell* g_shell = nullptr;

void record(Device& dev, std::uint8_t event) {
    char text[48];
    std::snprintf(text, sizeof text, "%llu:%02X", static_cast<unsigned long long>(g_shell->now_ms),
                  event);
    std::string entry = text;
    if (event == EV_TICK_250MS) {
        std::int32_t metres = 0;
        get_distance_counter(dev, COUNTER_INTERVAL, metres);
        entry += "@" + std::to_string(metres) + "m";
    }
    g_seen.push_back(entry);
}
const Screen RecordingScreen{"RecordingScreen", record};

std::vector<std::string> seen_with(const std::string& code) {
    std::vector<std::string> out;
    for (const std::string& s : g_seen)
        if (s.find(":" + code) != std::string::npos) out.push_back(s.substr(0, s.find('@')));
    return out;
}

std::int16_t centre_x(Button b) {
    return static_cast<std::int16_t>((button_region(b).left + button_region(b).right) / 2);
}
std::int16_t centre_y(Button b) {
    return static_cast<std::int16_t>((button_region(b).top + button_region(b).bottom) / 2);
}

// A powered device whose current screen records what it is given.
class ShellMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        g_shell = &shell;
        shell_paint(shell);
        change_screen(shell.dev, RecordingScreen);
        run_pending_events(shell.dev);
        g_seen.clear();
    }
    void press(Button b) { shell_mouse_down(shell, centre_x(b), centre_y(b)); }

    Shell shell;
};

TEST(ShellStart, TheDevicePowersOnAtTheFirstPaintAndNotBefore) {
    Shell shell;
    EXPECT_EQ(shell.dev.kernel.current_screen, nullptr);
    EXPECT_TRUE(timer_running(shell.timers, TIMER_TICK));
    EXPECT_TRUE(timer_running(shell.timers, TIMER_PERF));
    shell_paint(shell);
    ASSERT_NE(shell.dev.kernel.current_screen, nullptr);
    EXPECT_STREQ(shell.dev.kernel.current_screen->name, "MainTripScreen");
    EXPECT_EQ(shell.now_ms, 0u) << "no timer fires before the first paint";
}

TEST(ShellStart, ALaterPaintShowsTheSamePictureWithoutASecondPowerOn) {
    Shell shell;
    shell_paint(shell);
    shell_key_down(shell, KEY_UP);
    shell_advance_to(shell, 5000);
    g_shell = &shell;
    change_screen(shell.dev, RecordingScreen);
    run_pending_events(shell.dev);
    const std::vector<std::uint8_t> before = shell_picture(shell).rgb;
    const auto memory = shell.dev.lcd.frame_memory;
    shell_paint(shell);
    EXPECT_EQ(shell.dev.kernel.current_screen, &RecordingScreen);
    EXPECT_EQ(shell.dev.lcd.frame_memory, memory);
    EXPECT_TRUE(shell_picture(shell).rgb == before);
}

TEST(ShellStart, TheFaceplateSitsAtTenTenAndThePanelDotsAreTwoByTwoSquares) {
    Shell shell;
    shell_paint(shell);
    const RgbImage& faceplate = faceplate_picture();
    const RgbImage& window = shell_picture(shell);
    EXPECT_EQ(window.at(FACEPLATE_X, FACEPLATE_Y), faceplate.at(0, 0));
    EXPECT_EQ(window.at(FACEPLATE_X + 479, FACEPLATE_Y + 239), faceplate.at(479, 239));
    EXPECT_EQ(window.at(64, 152), faceplate.at(54, 142)); // a button
    lcd_set_address(shell.dev, 5, 2);
    lcd_write(shell.dev, 0x01); // dot (5, 16)
    shell_picture(shell);
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            EXPECT_EQ(window.at(123 + 10 + dx, 49 + 32 + dy), LCD_ON_COLOUR);
    EXPECT_EQ(window.at(123 + 10, 49 + 34), LCD_OFF_COLOUR);
    lcd_set_address(shell.dev, 127, 7);
    lcd_write(shell.dev, 0x80); // dot (127, 63): the panel's last pixel is (378, 176)
    shell_picture(shell);
    EXPECT_EQ(window.at(378, 176), LCD_ON_COLOUR);
    EXPECT_EQ(window.at(379, 176), faceplate.at(369, 166));
}

TEST_F(ShellMessages, TicksComeEvery250MsInTheirPatternAndTheirOwnInstant) {
    shell_advance_to(shell, 1000);
    EXPECT_EQ(seen_with(""), (std::vector<std::string>{"250:40", "250:50", "250:60", "500:40",
                                                       "750:40", "750:50", "1000:40"}));
    EXPECT_EQ(shell.now_ms, 1000u);
}

TEST_F(ShellMessages, ScreensHandlingATickSeeTheDistanceOfThatSameTick) {
    for (int i = 0; i < 10; ++i)
        shell_key_down(shell, KEY_UP); // 100 km/h: 6.94 m a tick
    g_seen.clear();
    shell_advance_to(shell, 500);
    EXPECT_EQ(g_seen.front(), "250:40@7m");
    EXPECT_EQ(seen_with("40").size(), 2u);
    EXPECT_NE(std::find(g_seen.begin(), g_seen.end(), "500:40@14m"), g_seen.end());
}

TEST_F(ShellMessages, AButtonHeldForTwoAndAHalfSecondsPressesRepeatsHoldsAndReleases) {
    press(BTN_BOTTOM_LEFT);
    shell_advance_to(shell, 2500);
    shell_mouse_up(shell);
    std::vector<std::string> keys;
    for (const std::string& s : g_seen)
        if (s.find(":7") != std::string::npos || s.find(":8") != std::string::npos ||
            s.find(":9") != std::string::npos)
            keys.push_back(s);
    EXPECT_EQ(keys, (std::vector<std::string>{"0:71", "700:71", "1000:81", "1400:71", "2100:71",
                                              "2450:71", "2500:91"}));
    EXPECT_FALSE(timer_running(shell.timers, TIMER_HOLD));
    EXPECT_FALSE(timer_running(shell.timers, TIMER_REPEAT));
}

TEST_F(ShellMessages, AtOneSecondTheTickIsDeliveredBeforeTheHold) {
    press(BTN_TOP_LEFT);
    shell_advance_to(shell, 1000);
    const auto at_one_second = std::vector<std::string>(g_seen.end() - 2, g_seen.end());
    EXPECT_EQ(at_one_second, (std::vector<std::string>{"1000:40@0m", "1000:80"}));
}

TEST_F(ShellMessages, LosingTheFocusWhileAButtonIsDownReleasesIt) {
    press(BTN_TOP_RIGHT);
    shell_advance_to(shell, 300);
    shell_focus_lost(shell);
    shell_advance_to(shell, 5000);
    EXPECT_EQ(seen_with("73"), (std::vector<std::string>{"0:73"}));
    EXPECT_EQ(seen_with("93"), (std::vector<std::string>{"300:93"}));
    EXPECT_TRUE(seen_with("83").empty());
}

TEST_F(ShellMessages, ThePointerLeavingWithTheButtonUpReleasesIt) {
    press(BTN_TOP_RIGHT);
    shell_pointer_left(shell, true); // dragged off, still held: the button stays down
    shell_advance_to(shell, 800);
    EXPECT_EQ(seen_with("73").size(), 2u);
    shell_pointer_left(shell, false); // the release happened out of sight
    shell_advance_to(shell, 5000);
    EXPECT_EQ(seen_with("73").size(), 2u);
    EXPECT_EQ(seen_with("93"), (std::vector<std::string>{"800:93"}));
}

TEST_F(ShellMessages, ReleasingWhenNothingIsDownChangesNothing) {
    shell_focus_lost(shell);
    shell_pointer_left(shell, false);
    shell_mouse_up(shell);
    EXPECT_TRUE(g_seen.empty());
}

// The rule of every front end, window and page alike: while a key holds a button, the mouse
// neither presses another nor releases it, and the pointer leaving does not either; the key's
// release does, and then the mouse works again.
TEST_F(ShellMessages, WhileAKeyHoldsAButtonTheMouseIsIgnored) {
    shell_button_key_down(shell, BTN_TOP_LEFT);
    press(BTN_BOTTOM_RIGHT);
    shell_mouse_up(shell);
    shell_pointer_left(shell, false);
    shell_advance_to(shell, 1100);
    EXPECT_EQ(seen_with("70"), (std::vector<std::string>{"0:70", "700:70"}));
    EXPECT_EQ(seen_with("80"), (std::vector<std::string>{"1000:80"}));
    EXPECT_TRUE(seen_with("72").empty());
    EXPECT_TRUE(seen_with("90").empty());
    shell_button_key_up(shell, BTN_TOP_LEFT);
    EXPECT_EQ(seen_with("90"), (std::vector<std::string>{"1100:90"}));
    press(BTN_BOTTOM_RIGHT);
    shell_mouse_up(shell);
    EXPECT_EQ(seen_with("72"), (std::vector<std::string>{"1100:72"}));
    EXPECT_EQ(seen_with("92"), (std::vector<std::string>{"1100:92"}));
}

TEST_F(ShellMessages, MouseCoordinatesAreSigned) {
    shell_mouse_down(shell, -1, -1);
    shell_mouse_up(shell);
    shell_mouse_down(shell, centre_x(BTN_BOTTOM_RIGHT), centre_y(BTN_BOTTOM_RIGHT));
    EXPECT_EQ(g_seen, (std::vector<std::string>{"0:72"}));
}

TEST(ShellTimers, TheWindowNeedNotWakeForThePerformanceTimer) {
    Shell shell;
    shell_paint(shell);
    EXPECT_EQ(timer_next_due(shell.timers), 125u);
    EXPECT_EQ(shell_next_visible_due(shell), 250u);
    shell_advance_to(shell, 1250);
    shell_mouse_down(shell, centre_x(BTN_BOTTOM_LEFT), centre_y(BTN_BOTTOM_LEFT));
    shell_advance_to(shell, 1875);
    EXPECT_EQ(timer_next_due(shell.timers), 1950u) << "the first repeat";
    EXPECT_EQ(shell_next_visible_due(shell), 1950u);
    shell_advance_to(shell, 1950);
    EXPECT_EQ(timer_next_due(shell.timers), 2000u);
    EXPECT_EQ(shell_next_visible_due(shell), 2000u) << "the tick, due with the perf timer";
}

// What the window relies on to sleep through them.
TEST(ShellTimers, PerformanceTimerExpiriesChangeNothingOnScreen) {
    Shell shell;
    shell_paint(shell);
    for (int i = 0; i < 10; ++i)
        shell_key_down(shell, KEY_UP);
    perf_arm(shell.dev, PerfTimerConfig{0, PERF_NO_END_SPEED, PERF_NO_DISTANCE_LIMIT});
    int unseen = 0;
    while (shell.now_ms < 20'000) {
        if (shell.now_ms % 3000 == 0)
            shell_mouse_down(shell, centre_x(BTN_BOTTOM_LEFT), centre_y(BTN_BOTTOM_LEFT));
        if (shell.now_ms % 3000 == 1500) shell_mouse_up(shell);
        shell_picture(shell);
        const std::uint64_t next = *timer_next_due(shell.timers);
        const bool visible = next == *shell_next_visible_due(shell);
        const auto memory = shell.dev.lcd.frame_memory;
        shell_advance_to(shell, next);
        if (visible) continue;
        ++unseen;
        EXPECT_FALSE(shell.picture.stale(shell.dev)) << next;
        EXPECT_EQ(shell.dev.lcd.frame_memory, memory) << next;
    }
    EXPECT_EQ(unseen, 80) << "every other 125 ms expiry falls between two ticks";
    PerfTimerResult result;
    perf_read(shell.dev, result);
    EXPECT_EQ(result.state, PERF_RUNNING);
    EXPECT_GT(result.distance, 400u) << "it counted all along";
}

// The status line as a fresh window would draw these texts.
std::vector<std::uint8_t> status_area(const RgbImage& image, const StatusTextPlace& place) {
    std::vector<std::uint8_t> out;
    for (int y = place.clear_top; y <= place.clear_bottom; ++y)
        for (int x = place.x; x <= place.clear_right; ++x) {
            const Rgb c = image.at(x, y);
            out.insert(out.end(), {c.r, c.g, c.b});
        }
    return out;
}
std::vector<std::uint8_t> drawn_alone(const std::string& text, const StatusTextPlace& place) {
    RgbImage image(WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_BACKGROUND);
    draw_status_text(image, place.x, place.y, text);
    return status_area(image, place);
}

TEST_F(ShellMessages, UpThirtyOneTimesShowsThreeHundredKph) {
    for (int i = 0; i < 31; ++i)
        shell_key_down(shell, KEY_UP);
    EXPECT_EQ(shell.speed_text, "Speed : 300 kph");
    EXPECT_EQ(status_area(shell_picture(shell), SPEED_TEXT_PLACE),
              drawn_alone("Speed : 300 kph", SPEED_TEXT_PLACE));
}

TEST_F(ShellMessages, AShorterNumberLeavesNothingOfTheLongerOneBehind) {
    for (int i = 0; i < 30; ++i)
        shell_key_down(shell, KEY_UP);
    for (int i = 0; i < 30; ++i)
        shell_key_down(shell, KEY_DOWN);
    for (int i = 0; i < 200; ++i)
        shell_key_down(shell, KEY_RIGHT);
    for (int i = 0; i < 195; ++i)
        shell_key_down(shell, KEY_LEFT);
    EXPECT_EQ(shell.speed_text, "Speed : 0 kph");
    EXPECT_EQ(shell.fuel_text, "Fuel : 5");
    EXPECT_EQ(status_area(shell_picture(shell), SPEED_TEXT_PLACE),
              drawn_alone("Speed : 0 kph", SPEED_TEXT_PLACE));
    EXPECT_EQ(status_area(shell_picture(shell), FUEL_TEXT_PLACE),
              drawn_alone("Fuel : 5", FUEL_TEXT_PLACE));
}

TEST_F(ShellMessages, RightStopsAt255AndEveryKeyRepaintsBothTexts) {
    for (int i = 0; i < 300; ++i)
        shell_key_down(shell, KEY_RIGHT);
    EXPECT_EQ(shell.fuel_text, "Fuel : 255");
    shell.speed_text.clear();
    shell.fuel_text.clear();
    shell_key_down(shell, KEY_LEFT);
    EXPECT_EQ(shell.speed_text, "Speed : 0 kph");
    EXPECT_EQ(shell.fuel_text, "Fuel : 254");
}

// Off and on again, with the store in a file: the device powers on from what the file holds
// now, while the shell's time, a drive playing and the clock go on; a damaged file is said and
// the device powers on from the store it held, which then goes back to the file.
TEST(ShellPowerCycle, TheDevicePowersOnFromTheFileWhileTimeAndTheDriveGoOn) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("ql730_cycle_" + std::to_string(::getpid()));
    std::string error;
    {
        Shell shell;
        shell.settings_file = file.string();
        EXPECT_EQ(shell_power_cycle(shell), "");
        EXPECT_EQ(shell.dev.kernel.current_screen, nullptr) << "not on before the first paint";
        shell_paint(shell);
        shell_start_drive(shell, {{0, 500, 40}, {20'000, 800, 60}});
        shell_advance_to(shell, 10'000);
        // MENU held across the power cycle: held on, it would switch the backlight, and let go
        // it would open the main menu.
        shell_mouse_down(shell, centre_x(BTN_TOP_LEFT), centre_y(BTN_TOP_LEFT));
        Settings edited = shell.dev.settings;
        edited.contrast = 50;
        ASSERT_TRUE(save_settings_file(file.string(), edited, error)) << error;

        EXPECT_EQ(shell_power_cycle(shell), "");
        EXPECT_EQ(shell.now_ms, 10'000u);
        EXPECT_STREQ(shell.dev.kernel.current_screen->name, "MainTripScreen");
        EXPECT_EQ(shell.dev.settings.contrast, 50);
        std::int32_t interval = -1;
        get_distance_counter(shell.dev, COUNTER_INTERVAL, interval);
        EXPECT_EQ(interval, 0);
        shell_advance_to(shell, 25'000);
        shell_mouse_up(shell);
        EXPECT_STREQ(shell.dev.kernel.current_screen->name, "MainTripScreen");
        EXPECT_EQ(shell.dev.settings.backlight, BACKLIGHT_ON);
        EXPECT_EQ(get_speed(shell.dev, SpeedSource::Current), 800) << "the drive went on";
        EXPECT_EQ(get_sender_reading(shell.dev), 60);
        Clock clock;
        read_clock(shell.dev, clock);
        EXPECT_EQ(clock.seconds, 25) << "the clock ran on";
        get_distance_counter(shell.dev, COUNTER_INTERVAL, interval);
        EXPECT_NEAR(interval, 250, 2) << "10 s at 50 km/h and 5 s at 80, counted from 0";

        std::ofstream(file) << "{";
        EXPECT_EQ(shell_power_cycle(shell), file.string() + ": settings: not valid JSON");
        EXPECT_EQ(shell.dev.settings.contrast, 50);
        Settings back{};
        bool present = false;
        ASSERT_TRUE(load_settings_file(file.string(), back, present, error)) << error;
        EXPECT_EQ(back.contrast, 50);
    }
    std::filesystem::remove(file);
}

} // namespace
} // namespace ql
