#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace hollowsweep {

// The folders waiting to be handled, by their index. Each thread works through
// its own stack, last in first out, so it goes deep before wide and holds few
// folders open; it hands the older half of its stack over only while another
// thread is idle, so the threads rarely meet on the lock.
template <class Index> class WorkQueue {
public:
    using LocalStack = std::vector<Index>;

    WorkQueue(Index first, unsigned threads)
        : shared_{first}
        , busy_(threads) {}

    // The next folder for a thread: from its own stack, else from the shared one,
    // waiting while others may still add some. False once the walk is over or stopped.
    bool Next(LocalStack& local, Index& folder) {
        if (!local.empty()) {
            folder = local.back();
            local.pop_back();
            return true;
        }
        std::unique_lock lock(mutex_);
        --busy_;
        idle_.fetch_add(1, std::memory_order_relaxed);
        if (busy_ == 0 && shared_.empty()) {
            ready_.notify_all();
        }
        ready_.wait(lock, [this] { return stopped_ || !shared_.empty() || busy_ == 0; });
        idle_.fetch_sub(1, std::memory_order_relaxed);
        if (stopped_ || shared_.empty()) {
            return false;
        }
        folder = shared_.back();
        shared_.pop_back();
        ++busy_;
        return true;
    }

    void ShareIfAnyoneIdle(LocalStack& local) {
        if (idle_.load(std::memory_order_relaxed) == 0 || local.size() < 2) {
            return;
        }
        {
            const std::lock_guard lock(mutex_);
            const auto half = static_cast<std::ptrdiff_t>(local.size() / 2);
            shared_.insert(shared_.end(), local.begin(), local.begin() + half);
            local.erase(local.begin(), local.begin() + half);
        }
        ready_.notify_all();
    }

    // Takes back threads that were counted but could not be started, so that
    // the others do not wait for them.
    void Withdraw(unsigned threads) {
        {
            const std::lock_guard lock(mutex_);
            busy_ -= threads;
        }
        ready_.notify_all();
    }

    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
            stoppedFlag_.store(true, std::memory_order_relaxed);
        }
        ready_.notify_all();
    }

    // Whether the work was stopped, for threads still working through their
    // own stacks.
    bool Stopped() const noexcept { return stoppedFlag_.load(std::memory_order_relaxed); }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<Index> shared_;
    // Threads not waiting in Next: working through a folder or their own stack.
    // The walk is over when none is and the shared stack is empty.
    unsigned busy_;
    std::atomic<unsigned> idle_{0};
    bool stopped_ = false;
    std::atomic<bool> stoppedFlag_{false};
};

} // namespace hollowsweep
