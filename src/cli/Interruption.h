#pragma once

#include <atomic>
#include <csignal>

namespace hollowsweep::cli {

// While it lives, Ctrl-C (SIGINT) and SIGTERM only set a flag, so that the
// work in flight can finish and its output be written whole. The handlers in
// place before are restored at its end.
class Interruption {
public:
    Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;
    ~Interruption();

    const std::atomic<bool>& Flag() const noexcept;
    bool Requested() const noexcept { return Flag().load(); }

private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

} // namespace hollowsweep::cli
