#pragma once

#include <cstddef>
#include <thread>
#include <vector>

namespace hollowsweep {

// Runs work(0) to work(count - 1) at once, each on a thread of its own, the
// calling thread taking work(0), and returns when all are done. The work must
// not throw: an exception on another thread ends the program.
template <class Work> void OnThreads(std::size_t count, const Work& work) {
    std::vector<std::jthread> workers;
    workers.reserve(count);
    for (std::size_t i = 1; i < count; ++i) {
        workers.emplace_back(work, i);
    }
    work(0);
}

} // namespace hollowsweep
