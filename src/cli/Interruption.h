#pragma once

#include <atomic>
#include <csignal>

namespace hollowsweep::cli {

// While it lives, Ctrl-C (SIGINT) and SIGTERM only set a flag, so that the
// work in flight can finish and its output be written whole, and a file being
// written is dropped. The handlers in place before are restored at its end.
// One lives for a whole run of the tool, scan and removal alike.
class Interruption {
public:
    Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;
    ~Interruption();

    // Set by a signal; the work may set it too, to stop the same way.
    std::atomic<bool>& Flag() const noexcept;
    bool Requested() const noexcept { return Flag().load(); }

private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

} // namespace hollowsweep::cli
