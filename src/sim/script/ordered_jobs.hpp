#pragma once
#include <cstddef>
#include <functional>

namespace ql {

// The number of cores this machine offers, at least 1: what --jobs is when not given.
unsigned default_jobs();

// Runs work(0) ... work(count - 1) on `jobs` threads, the calling thread among them (alone
// when `jobs` is 1), and calls done(i) on the calling thread, in order of i, once work(0) to
// work(i) have all finished and the calling thread is not working an item itself: what done()
// reports comes out in the same order whatever the number of threads. done(i) returning false
// stops the run: no work is started after it, and no done() is called again. Work items must
// share nothing they change. An exception thrown by a work item is thrown again here, once
// every thread has stopped.
void run_ordered_jobs(std::size_t count, unsigned jobs,
                      const std::function<void(std::size_t)>& work,
                      const std::function<bool(std::size_t)>& done);

} // namespace ql
