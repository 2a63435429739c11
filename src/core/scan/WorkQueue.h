#pragma once

#include "scan/FolderTree.h"

#include <condition_variable>
#include <mutex>
#include <span>
#include <vector>

namespace hollowsweep {

// The folders waiting to be read, shared by the walk's threads. Last in, first
// out, so each thread goes deep before wide and few folders are held open.
class TWorkQueue {
public:
    explicit TWorkQueue(TNodeIndex first) : pending_{first} {}

    // Waits for a folder to read; false once the walk is over or stopped.
    bool Take(TNodeIndex& folder) {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return stopped_ || !pending_.empty() || busy_ == 0; });
        if (stopped_ || pending_.empty()) {
            return false;
        }
        folder = pending_.back();
        pending_.pop_back();
        ++busy_;
        return true;
    }

    // Ends the reading of a taken folder and queues its sub-folders.
    void Finish(TNodeIndex firstChild, std::uint32_t childCount) {
        {
            const std::lock_guard lock(mutex_);
            for (std::uint32_t i = childCount; i > 0; --i) {
                pending_.push_back(firstChild + i - 1);
            }
            --busy_;
        }
        ready_.notify_all();
    }

    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        ready_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<TNodeIndex> pending_;
    unsigned busy_ = 0;
    bool stopped_ = false;
};

} // namespace hollowsweep
