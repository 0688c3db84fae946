// ql730-icon: draws the program's icon from the faceplate, as the window shows it at power-on,
// into a PNG. The build makes the installed icons with it; it is not installed itself.
#include "app/program_messages.hpp"
#include "sim/files/png_file.hpp"
#include "sim/host/shell.hpp"
#include "sim/picture/icon.hpp"
#include <charconv>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    const ql::ProgramMessages messages("ql730-icon");
    if (argc != 3) {
        std::cerr << "ql730-icon: usage: ql730-icon SIZE FILE.png (SIZE " << ql::ICON_SIZE_MIN
                  << " to " << ql::ICON_SIZE_MAX << " pixels)\n";
        return 2;
    }
    const std::string_view text = argv[1];
    int size = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        size < ql::ICON_SIZE_MIN || size > ql::ICON_SIZE_MAX) {
        std::cerr << "ql730-icon: the size " << text << " is not a whole number from "
                  << ql::ICON_SIZE_MIN << " to " << ql::ICON_SIZE_MAX << '\n';
        return 2;
    }
    ql::Shell shell{ql::ShellConfig{}};
    std::string error;
    if (!ql::write_png(argv[2], ql::make_icon(ql::shell_picture(shell), size), error)) {
        std::cerr << "ql730-icon: " << error << '\n';
        return 1;
    }
    return 0;
}
