#pragma once
#include "device/hardware/buttons_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

inline constexpr std::uint32_t HOLD_PERIOD_MS = 1000;
inline constexpr std::uint32_t REPEAT_FIRST_MS = 700;
inline constexpr std::uint32_t REPEAT_FAST_MS = 350;

// The faceplate area of button b (BTN_TOP_LEFT ... BTN_TOP_RIGHT); an empty area for any
// other number.
ButtonRegion button_region(int b);
inline ButtonRegion button_region(Button b) {
    return button_region(static_cast<int>(button_index(b)));
}

void button_regions_init(Device& dev);
// A press outside every button while one is down presses that button again.
void button_press_at(Device& dev, std::int16_t x, std::int16_t y);
// Wherever the pointer is.
void button_release(Device& dev);
// The hold and auto-repeat timers.
void button_timer(Device& dev, std::uint8_t timer_id);
// The 250 ms timer: a 250 ms tick every time, a 500 ms tick every second time and a 1 s tick
// every fourth time, the first tick posting all three.
void tick_timer(Device& dev, std::uint8_t timer_id);

} // namespace ql
