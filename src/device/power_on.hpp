#pragma once
#include "device/settings/settings.hpp"
#include <cstdint>
#include <optional>

namespace ql {

struct Device;

// What the simulator always starts as: the Italian regional variant of product 156.
inline constexpr Variant POWER_ON_VARIANT = VARIANT_ITALY;
inline constexpr std::uint16_t PRODUCT_CODE = 156;

// What a start sets up: the regional variant and, when not 0, a language it offers (one
// language bit) instead of the variant's own. The defaults are the simulator's usual start.
struct PowerOnOptions {
    Variant variant = POWER_ON_VARIANT;
    std::uint8_t language = 0;
    // A store kept from an earlier run or across a power cycle: power-on takes it as it is
    // instead of the factory settings (the variant and language above then do not apply),
    // unless a factory reset marked it invalid; then it is rebuilt from the factory defaults
    // of the variant it holds.
    std::optional<Settings> stored;
};

// The device's start-up: flags, kernel, factory settings for the variant, hardware set-up, a
// clear panel and the main trip screen. The caller then drains the event queue.
void power_on(Device& dev, const PowerOnOptions& options = {});

} // namespace ql
