#pragma once
#include "device/kernel/events.hpp"
#include "device/kernel/kernel_state.hpp"
#include <cstdint>

namespace ql {

void reset_kernel(Device& dev);
void post_event(Device& dev, std::uint8_t code);
bool take_event(Device& dev, std::uint8_t& code);
void dispatch_event(Device& dev, std::uint8_t code);
void run_pending_events(Device& dev);
void change_screen(Device& dev, const Screen& next);
void raise_system_flag(Device& dev, std::uint16_t mask);
// The name of the current screen, or `none` while there is none (before power-on).
const char* screen_name(const Device& dev, const char* none);

} // namespace ql
