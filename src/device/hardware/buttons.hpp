#pragma once
#include "device/kernel/events.hpp"
#include <array>
#include <cstdint>

namespace ql {

struct Device;

inline constexpr std::uint32_t HOLD_PERIOD_MS = 1000;
inline constexpr std::uint32_t REPEAT_FIRST_MS = 700;
inline constexpr std::uint32_t REPEAT_FAST_MS = 350;

// A button's area in window client coordinates; a point is inside when
// left <= x < right and top <= y < bottom.
struct ButtonRegion {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
};

// Turns mouse presses on the faceplate's buttons and the shell's timers into button and tick
// events.
struct ButtonInput {
    std::array<ButtonRegion, BUTTON_COUNT> regions{};
    bool pressed = false;
    Button button = Button::TopLeft; // the button that is down, or was last down
    std::int32_t repeat_count = 0;   // press events posted for the current press
    std::uint32_t tick_count = 0;    // 250 ms ticks since the window was created
};

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
