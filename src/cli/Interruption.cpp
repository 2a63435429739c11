#include "cli/Interruption.h"

namespace hollowsweep::cli {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void OnInterrupt(int) {
    interrupted.store(true);
}

} // namespace

Interruption::Interruption() {
    interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    // A write to a full pipe goes on after the signal, so no line is cut.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previousInterrupt_);
    ::sigaction(SIGTERM, &action, &previousTerminate_);
}

Interruption::~Interruption() {
    ::sigaction(SIGINT, &previousInterrupt_, nullptr);
    ::sigaction(SIGTERM, &previousTerminate_, nullptr);
}

std::atomic<bool>& Interruption::Flag() const noexcept {
    return interrupted;
}

} // namespace hollowsweep::cli
