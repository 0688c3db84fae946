#include "device/hardware/fuel_sender.hpp"
#include "device/device.hpp"
#include "device/hardware/keys.hpp"

namespace ql {

void fuel_reset(Device& dev) {
    dev.fuel.reading = 0;
    dev.fuel.table.count = 0;
}

void fuel_key(Device& dev, std::uint8_t key) {
    FuelSender& f = dev.fuel;
    if (key == KEY_LEFT && f.reading > 0) --f.reading;
    if (key == KEY_RIGHT && f.reading < 255) ++f.reading;
    dev.host->repaint_fuel_text();
}

void load_sender_table(Device& dev, const FuelTable& table) {
    dev.fuel.table = table;
    dev.host->repaint_fuel_text();
}

std::uint8_t get_sender_reading(Device& dev) {
    return dev.fuel.reading;
}

void set_sender_reading(Device& dev, std::uint8_t reading) {
    dev.fuel.reading = reading;
    dev.host->repaint_fuel_text();
}

std::uint16_t get_fuel_volume(Device& dev) {
    const FuelTable& t = dev.fuel.table;
    // A sender whose reading falls as the tank fills is looked up inverted, as its table is
    // stored.
    const bool falling = t.count < 0;
    const std::uint8_t r =
        falling ? static_cast<std::uint8_t>(~dev.fuel.reading) : dev.fuel.reading;
    unsigned n = static_cast<unsigned>(falling ? -t.count : t.count);
    if (n > FUEL_TABLE_POINTS) n = FUEL_TABLE_POINTS;

    unsigned i = 0;
    while (i < n && r > t.readings[i])
        ++i;

    std::uint32_t volume = 0;
    if (i == 0) {
        // A straight line from an empty tank at reading 0 to the first point.
        volume = t.volumes[0] * std::uint32_t{r};
        if (t.readings[0] != 0) volume /= t.readings[0];
    } else if (i == n) {
        volume = t.volumes[n - 1];
    } else {
        // readings[i - 1] < r <= readings[i], so the step is never 0.
        const std::uint16_t dv = static_cast<std::uint16_t>(t.volumes[i] - t.volumes[i - 1]);
        const std::uint8_t dr = static_cast<std::uint8_t>(t.readings[i] - t.readings[i - 1]);
        const std::uint8_t dx = static_cast<std::uint8_t>(r - t.readings[i - 1]);
        volume = t.volumes[i - 1] + std::uint32_t{dv} * dx / dr;
    }
    return static_cast<std::uint16_t>(volume);
}

} // namespace ql
