#include "cli/Interruption.h"

#include "cli/ExitStatus.h"

#include <unistd.h>

namespace hollowsweep::cli {

namespace {

std::atomic<bool> interrupted{false};
std::atomic<int> signals{0};
std::atomic<bool> waiting{false};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the flags are used from a signal handler");

extern "C" void OnInterrupt(int /*signal*/) {
    if (waiting.load() || signals.fetch_add(1) > 0) {
        ::_exit(ExitInterrupted);
    }
    interrupted.store(true);
}

} // namespace

Interruption::Interruption() {
    interrupted.store(false);
    signals.store(0);
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

std::atomic<bool>& Interruption::Flag() noexcept {
    return interrupted;
}

WaitBeforeWork::WaitBeforeWork(bool waits) noexcept
    : waits_(waits) {
    if (!waits_) {
        return;
    }
    waiting.store(true);
    // A signal that came just before counts as one during the wait.
    if (signals.load() > 0) {
        ::_exit(ExitInterrupted);
    }
}

WaitBeforeWork::~WaitBeforeWork() {
    if (waits_) {
        waiting.store(false);
    }
}

} // namespace hollowsweep::cli
