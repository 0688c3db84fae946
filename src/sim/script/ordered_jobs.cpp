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

    const auto worker = [&] {
        for (;;) {
            const std::size_t i = next.fetch_add(1);
            if (i >= count || stopping.load()) return;
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
                wake = i == awaited || thrown;
            }
            if (wake) finished_one.notify_one();
            if (thrown) {
                stopping = true;
                return;
            }
        }
    };
    std::vector<std::thread> threads;
    const std::size_t started = std::min<std::size_t>(jobs, count);
    threads.reserve(started);
    for (std::size_t t = 0; t < started; ++t)
        threads.emplace_back(worker);

    for (std::size_t i = 0; i < count; ++i) {
        std::unique_lock<std::mutex> lock(mutex);
        awaited = i;
        finished_one.wait(lock, [&] { return finished[i] != 0 || failure; });
        awaited = count;
        if (failure) break;
        lock.unlock();
        if (!done(i)) {
            stopping = true;
            break;
        }
    }
    stopping = true;
    for (std::thread& thread : threads)
        thread.join();
    if (failure) std::rethrow_exception(failure);
}

} // namespace ql
