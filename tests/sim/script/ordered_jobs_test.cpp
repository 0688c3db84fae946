#include "sim/script/ordered_jobs.hpp"
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace ql {
namespace {

// Results come back in order whoever worked them; a false from done() stops the run before
// the rest is worked; a work item's exception comes out once every thread has stopped.
TEST(OrderedJobs, HandsBackInOrderStopsWhenToldAndPassesOnAFailure) {
    for (const unsigned jobs : {1u, 2u, 3u}) {
        std::vector<std::size_t> handed;
        run_ordered_jobs(
            200, jobs,
            [&](std::size_t i) {
                if (i % 7 == 0) std::this_thread::yield(); // some finish out of turn
            },
            [&](std::size_t i) {
                handed.push_back(i);
                return true;
            });
        ASSERT_EQ(handed.size(), 200u) << jobs << " jobs";
        for (std::size_t i = 0; i < handed.size(); ++i)
            EXPECT_EQ(handed[i], i) << jobs << " jobs";

        std::atomic<std::size_t> started{0};
        std::size_t last_done = 0;
        run_ordered_jobs(
            1000, jobs,
            [&](std::size_t) {
                ++started;
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            },
            [&](std::size_t i) {
                last_done = i;
                return i < 10;
            });
        EXPECT_EQ(last_done, 10u);
        EXPECT_LT(started.load(), 1000u) << "work went on after done() said stop";

        EXPECT_THROW(run_ordered_jobs(
                         50, jobs,
                         [](std::size_t i) {
                             if (i == 20) throw std::runtime_error("item 20");
                         },
                         [](std::size_t) { return true; }),
                     std::runtime_error);
    }
}

} // namespace
} // namespace ql
