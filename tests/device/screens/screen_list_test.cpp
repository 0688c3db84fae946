#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include <algorithm>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace ql {
namespace {

TEST(ScreenList, AllScreensHoldsEveryListedScreenOnceInTheOrderOfItsName) {
    const std::vector<const Screen*> listed{
#define QL_SCREEN(NAME) &NAME,
#include "device/screens/screen_list.def"
    };
    const auto screens = all_screens();
    ASSERT_EQ(screens.size(), listed.size());
    for (const Screen* screen : listed) {
        EXPECT_EQ(std::count(screens.begin(), screens.end(), screen), 1) << screen->name;
        EXPECT_TRUE(screen_listed(screen->name)) << screen->name;
        EXPECT_NE(screen->handle, nullptr) << screen->name;
    }
    for (std::size_t i = 1; i < screens.size(); ++i)
        EXPECT_LT(std::string_view(screens[i - 1]->name), std::string_view(screens[i]->name));
    EXPECT_FALSE(screen_listed("Parent")) << "a name the list does not hold";
}

TEST(ScreenList, EveryListScreenKeepsItsOwnSlot) {
    Device dev;
    std::vector<const ListScreenState*> slots{
#define QL_SCREEN(NAME)
#define QL_LIST_SCREEN(NAME) &list_slot<ListSlot::NAME##Slot>(dev),
#include "device/screens/screen_list.def"
    };
    ASSERT_EQ(slots.size(), dev.screens.lists.size());
    std::sort(slots.begin(), slots.end());
    EXPECT_EQ(std::adjacent_find(slots.begin(), slots.end()), slots.end());
}

} // namespace
} // namespace ql
