#include "device/screens/screen_list.hpp"
#include <algorithm>
#include <array>
#include <tuple>

namespace ql {

namespace {

struct Listed {
    std::string_view name;
    const Screen* screen;
};

// The screen list sorted by name when the program is built; a name listed twice stops the
// build.
constexpr auto SCREENS = [] {
    std::array listed{
#define QL_SCREEN(NAME) Listed{#NAME, &NAME},
#include "device/screens/screen_list.def"
    };
    std::ranges::sort(listed, {}, &Listed::name);
    std::array<const Screen*, std::tuple_size_v<decltype(listed)>> screens{};
    for (std::size_t i = 0; i < screens.size(); ++i) {
        if (i > 0 && listed[i].name == listed[i - 1].name) throw "a screen is listed twice";
        screens[i] = listed[i].screen;
    }
    return screens;
}();

} // namespace

std::span<const Screen* const> all_screens() {
    return SCREENS;
}

} // namespace ql
