#pragma once
// Drives one device as the simulator does, for the screen tests: hardware first, then the event
// queue drained. Compares the panel with golden frames kept as '#'/'.' pictures in a frames/
// folder beside the test; with QL730_REBASELINE=1 (and no other value) in the environment the
// comparison writes what the panel shows instead.

#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/hardware/host.hpp"
#include "device/kernel/kernel.hpp"
#include "device/settings/settings.hpp"
#include "device/wiring.hpp"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <string>

namespace ql::test {

inline bool rebaselining() {
    const char* value = std::getenv("QL730_REBASELINE");
    return value != nullptr && std::string(value) == "1";
}

// Compares the panel with frames/NAME.txt beside `test_file` (pass __FILE__).
inline void expect_golden_frame(const Device& dev, const std::filesystem::path& test_file,
                                const std::string& name) {
    const std::filesystem::path file = test_file.parent_path() / "frames" / (name + ".txt");
    const std::string found = frame_picture(dev.lcd);
    if (rebaselining()) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << found;
        std::cout << "wrote " << file.string() << '\n';
        return;
    }
    std::ifstream in(file);
    if (!in) {
        ADD_FAILURE() << "no golden frame " << file << "; write it with QL730_REBASELINE=1";
        return;
    }
    std::stringstream wanted;
    wanted << in.rdbuf();
    EXPECT_EQ(found, wanted.str()) << "the panel differs from " << file;
}

class ScreenDriver : public ::testing::Test {
  protected:
    Device dev;
    std::uint32_t now_ms = 0;

    void SetUp() override {
        device_create(dev);
        device_start(dev);
    }

    void open(const Screen& screen) {
        change_screen(dev, screen);
        run_pending_events(dev);
    }
    void post(std::uint8_t event) {
        post_event(dev, event);
        run_pending_events(dev);
    }
    void press(Button b, int times = 1) {
        for (int i = 0; i < times; ++i) {
            post(key_press(b));
            post(key_release(b));
        }
    }
    void hold(Button b) {
        post(key_press(b));
        post(key_hold(b));
        post(key_release(b));
    }
    void tick(int count = 1) {
        for (int i = 0; i < count; ++i)
            device_timer(dev, TIMER_TICK);
    }
    void key(std::uint8_t k, int times = 1) {
        for (int i = 0; i < times; ++i)
            device_key(dev, k);
    }
    // Lets time pass in 125 ms steps: the performance timer every step, the tick every second
    // one, the tick first when both are due.
    void wait_ms(std::uint32_t ms) {
        for (std::uint32_t end = now_ms + ms; now_ms + 125 <= end;) {
            now_ms += 125;
            if (now_ms % 250 == 0) device_timer(dev, TIMER_TICK);
            device_timer(dev, TIMER_PERF);
        }
    }
    // Types `want` into the open number editor from its first character, moving on after each
    // one; the move after the last character accepts.
    void type(const char* want) {
        for (std::size_t i = 0; want[i] != '\0'; ++i) {
            if (is_digit_separator(want[i])) continue;
            for (int guard = 0; dev.ui.editor.text[i] != want[i] && guard < 12; ++guard)
                press(BTN_TOP_RIGHT);
            ASSERT_EQ(dev.ui.editor.text[i], want[i]) << "position " << i << " of " << want;
            press(BTN_BOTTOM_LEFT);
        }
    }
    // As `type`, after checking that the editor offers `shown` first.
    void type(const char* shown, const char* want) {
        ASSERT_STREQ(dev.ui.editor.text, shown) << "the editor's offer";
        type(want);
    }
    // Another regional variant, as its own factory settings leave it.
    void use_variant(Variant variant) {
        set_variant(dev, variant);
        restore_factory_defaults(dev);
    }
    std::string screen() const { return dev.kernel.current_screen->name; }
    std::string region(int x, int y, int w, int h) const {
        return frame_picture(dev.lcd, x, y, w, h);
    }

    // Dark dots in one row between two columns, inclusive.
    int dark_in_row(int y, int from, int to) const {
        const std::string row = frame_picture(dev.lcd, from, y, to - from + 1, 1);
        int n = 0;
        for (char c : row)
            n += c == '#';
        return n;
    }

    void expect_frame(const std::filesystem::path& test_file, const std::string& name) const {
        expect_golden_frame(dev, test_file, name);
    }
};

#define EXPECT_FRAME(name) expect_frame(__FILE__, name)

} // namespace ql::test
