#include "device/power_on.hpp"
#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"

namespace ql {

void power_on(Device& dev, const PowerOnOptions& options) {
    // A kept store is what the memory holds when the power comes on.
    if (options.stored) dev.settings = *options.stored;
    // The flags are read before the defaults overwrite the stored word.
    dev.kernel.system_flags = get_stored_flags(dev);
    reset_kernel(dev);

    if (options.stored && get_settings_valid_marker(dev) != SETTINGS_INVALID) {
        set_product_code(dev, PRODUCT_CODE);
    } else {
        // A first start takes the variant asked for; a store marked invalid (a factory reset)
        // is rebuilt for the variant it holds. The defaults leave the fuel points, and the
        // bytes they do not write, as they were.
        if (!options.stored) set_variant(dev, options.variant);
        set_product_code(dev, PRODUCT_CODE);
        set_settings_valid_marker(dev, SETTINGS_INVALID);
        set_hardware_option(dev, 0);
        restore_factory_defaults(dev);
        if (!options.stored && options.language != 0) set_language(dev, options.language);
        set_settings_valid_marker(dev, SETTINGS_VALID);
    }

    apply_hardware_setting(dev, get_hardware_option(dev));
    apply_hardware_setting(dev, get_backlight(dev));
    apply_hardware_setting(dev, get_contrast(dev));
    set_counting_down(dev, get_count_direction(dev));
    set_pulses_per_km(dev, get_calibration(dev, DistanceUnit::Kilometres));
    set_max_speed(dev, SpeedSource::Maximum, get_stored_max_speed(dev));
    FuelTable table{};
    read_fuel_table(dev, table);
    load_sender_table(dev, table);
    set_display_frozen(dev, 0);
    set_reserved_trip_flag(dev, 0);

    lcd_clear_home(dev);
    change_screen(dev, MainTripScreen);
}

} // namespace ql
