#pragma once
#include <cstdint>

namespace ql {

// Timers owned by the simulator around the device.
inline constexpr std::uint8_t TIMER_TICK = 16;   // 250 ms, periodic, from window creation
inline constexpr std::uint8_t TIMER_HOLD = 32;   // 1000 ms, while a button is down
inline constexpr std::uint8_t TIMER_REPEAT = 33; // 700 ms, later 350 ms, while a button is down
inline constexpr std::uint8_t TIMER_PERF = 48;   // 125 ms, periodic, from window creation

// What the simulated hardware asks of its host. Every call does nothing by default, so a
// device without a host (a test, a headless run) works as it is.
class Host {
  public:
    // Starting a timer that is already running restarts it with the new period.
    virtual void start_timer(std::uint8_t /*id*/, std::uint32_t /*period_ms*/) {}
    virtual void stop_timer(std::uint8_t /*id*/) {}
    // The status line below the faceplate: "Speed : %d kph" and "Fuel : %d".
    virtual void repaint_speed_text() {}
    virtual void repaint_fuel_text() {}

  protected:
    ~Host() = default;
};

} // namespace ql
