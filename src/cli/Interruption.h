#pragma once

#include <atomic>
#include <csignal>

namespace hollowsweep::cli {

// While it lives, Ctrl-C (SIGINT, or the console's Ctrl-C, Ctrl-Break and
// close on Windows) and SIGTERM only set a flag, so that the
// work in flight can finish and its output be written whole, and a file being
// written is dropped. A second signal ends the run at once (exit 130), for a
// run stuck on a reader that no longer reads. The handlers in place before are
// restored at its end. One lives for a whole run of the tool, scan and removal
// alike.
class Interruption {
public:
    Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;
    ~Interruption();

    // Set by a signal; the work may set it too, to stop the same way.
    static std::atomic<bool>& Flag() noexcept;
    static bool Requested() noexcept { return Flag().load(); }

#if !defined(_WIN32)
private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
#endif
};

// While it lives, the tool waits on another program (a pipe that no one reads
// yet, a list that does not end) with nothing on disk half done, so the first
// signal ends the run at once.
class WaitBeforeWork {
public:
    // Inactive when waits is false, for a wait that only some targets bring.
    explicit WaitBeforeWork(bool waits = true) noexcept;
    WaitBeforeWork(const WaitBeforeWork&) = delete;
    WaitBeforeWork& operator=(const WaitBeforeWork&) = delete;
    ~WaitBeforeWork();

private:
    bool waits_;
};

} // namespace hollowsweep::cli
