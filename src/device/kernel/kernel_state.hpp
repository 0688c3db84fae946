#pragma once
#include "device/kernel/screen.hpp"
#include <array>
#include <cstdint>

namespace ql {

inline constexpr std::uint8_t EVENT_QUEUE_SIZE = 32;
inline constexpr std::uint8_t EVENT_QUEUE_MASK = EVENT_QUEUE_SIZE - 1;

// Circular queue of one-byte event codes. count tells a full queue from an empty one when
// the two indices meet.
struct EventQueue {
    std::array<std::uint8_t, EVENT_QUEUE_SIZE> slots{};
    std::uint8_t write_index = 0;
    std::uint8_t read_index = 0;
    std::uint8_t count = 0;
};

struct KernelState {
    EventQueue queue;
    const Screen* current_screen = nullptr;
    const Screen* pending_screen = nullptr;
    // True while the EV_EXIT of the pending switch waits in the queue.
    bool switch_queued = false;
    std::uint16_t system_flags = 0;
};

} // namespace ql
