#include "device/screens/screen_list.hpp"
#include <string_view>
#include <utility>
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
    // An insertion sort: the browser build's library has no sort usable at compile time.
    for (std::size_t i = 1; i < listed.size(); ++i)
        for (std::size_t j = i; j > 0 && listed[j].name < listed[j - 1].name; --j)
            std::swap(listed[j], listed[j - 1]);
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
