#include "cli/ExitStatus.h"
#include "cli/Interruption.h"

#include <cstdlib>
#include <windows.h>

namespace hollowsweep::cli {

namespace {

std::atomic<bool> interrupted{false};
std::atomic<int> signals{0};
std::atomic<bool> waiting{false};

// Windows calls it on a thread of its own.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    if (waiting.load() || signals.fetch_add(1) > 0) {
        std::_Exit(ExitInterrupted);
    }
    interrupted.store(true);
    return TRUE;
}

} // namespace

Interruption::Interruption() {
    interrupted.store(false);
    signals.store(0);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

Interruption::~Interruption() {
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
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
    // An interruption that came just before counts as one during the wait.
    if (signals.load() > 0) {
        std::_Exit(ExitInterrupted);
    }
}

WaitBeforeWork::~WaitBeforeWork() {
    if (waits_) {
        waiting.store(false);
    }
}

} // namespace hollowsweep::cli
