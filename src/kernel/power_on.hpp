#pragma once

namespace ql {

struct Device;

// The device's start-up: flags, kernel, factory settings for the Italian variant, hardware
// set-up, a clear panel and the main trip screen. The caller then drains the event queue.
void power_on(Device& dev);

} // namespace ql
