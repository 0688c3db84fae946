#include "sim/script/ordered_jobs.hpp"
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace ql {

unsigned default_jobs() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void run_ordered_jobs(std::size_t count, unsigned jobs,
                      const std::function<void(std::size_t)>& work,
                      const std::function<bool(std::size_t)>& done) {
    if (jobs <= 1 || count <= 1) {
        for (std::size_t i = 0; i < count; ++i) {
            work(i);
            if (!done(i)) return;
        }
        return;
    }
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::condition_variable finished_one;
    std::vector<char> finished(count, 0); // guarded by mutex
    std::exception_ptr failure;           // guarded by mutex
    std::size_t awaited = count;          // guarded by mutex: what the calling thread waits for

    // Takes the next item not yet started and works it; false when there was none left.
    const auto work_next = [&](bool calling_thread) {
        const std::size_t i = stopping.load() ? count : next.fetch_add(1);
        if (i >= count) return false;
        std::exception_ptr thrown;
        try {
            work(i);
        } catch (...) {
            thrown = std::current_exception();
        }
        bool wake = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            finished[i] = 1;
            if (thrown && !failure) failure = thrown;
            // Only the item waited for wakes the calling thread: one wake-up per wait.
            wake = !calling_thread && (i == awaited || thrown);
        }
        if (wake) finished_one.notify_one();
        if (thrown) stopping = true;
        return !thrown;
    };
    // The calling thread is one of the `jobs`: it works items too while the next one it must
    // hand back is still being worked, so that no thread more than the cores waits its turn.
    std::vector<std::thread> threads;
    const std::size_t helpers = std::min<std::size_t>(jobs, count) - 1;
    threads.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t)
        threads.emplace_back([&] {
            while (work_next(false)) {
            }
        });

    for (std::size_t i = 0; i < count; ++i) {
        bool ready = false;
        while (!ready) {
            {
                const std::lock_guard<std::mutex> lock(mutex);
                ready = finished[i] != 0 || failure;
            }
            if (!ready && !work_next(true)) {
                std::unique_lock<std::mutex> lock(mutex);
                awaited = i;
                finished_one.wait(lock, [&] { return finished[i] != 0 || failure; });
                awaited = count;
                ready = true;
            }
        }
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (failure) break;
        }
        if (!done(i)) break;
    }
    stopping = true;
    for (std::thread& thread : threads)
        thread.join();
    if (failure) std::rethrow_exception(failure);
}

} // namespace ql
