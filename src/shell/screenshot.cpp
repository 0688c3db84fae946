#include "shell/screenshot.hpp"
#include "shell/lcd_frame.hpp"
#include "shell/png_file.hpp"

namespace ql {

std::filesystem::path save_screenshot(Shell& shell, bool lcd_only,
                                      const std::filesystem::path& folder, std::time_t when,
                                      std::string& error) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = std::string("ql730-") + (lcd_only ? "lcd-" : "window-") + stamp;
    std::filesystem::path path = folder / (stem + ".png");
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec) && n < 1000; ++n)
        path = folder / (stem + "-" + std::to_string(n) + ".png");
    const bool written = lcd_only ? write_png(path, lcd_image(shell.dev.lcd), error)
                                  : write_png(path, shell_picture(shell), error);
    if (!written) return {};
    return path;
}

} // namespace ql
