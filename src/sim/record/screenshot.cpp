#include "sim/record/screenshot.hpp"
#include "sim/files/lcd_frame.hpp"
#include "sim/files/png_file.hpp"

namespace ql {

std::filesystem::path dated_file(const std::filesystem::path& folder, const std::string& prefix,
                                 const std::string& extension, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = prefix + "-" + stamp;
    std::filesystem::path path = folder / (stem + extension);
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec) && n < 1000; ++n)
        path = folder / (stem + "-" + std::to_string(n) + extension);
    return path;
}

std::filesystem::path save_screenshot(Shell& shell, bool lcd_only,
                                      const std::filesystem::path& folder, std::time_t when,
                                      std::string& error) {
    const std::filesystem::path path =
        dated_file(folder, lcd_only ? "ql730-lcd" : "ql730-window", ".png", when);
    const bool written = lcd_only ? write_png(path, lcd_image(shell.dev.lcd), error)
                                  : write_png(path, shell_picture(shell), error);
    if (!written) return {};
    return path;
}

} // namespace ql
