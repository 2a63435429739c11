#include "ProgressLine.h"

#include "ExitStatus.h"

#include <cstdio>
#include <unistd.h>

namespace hollowsweep::cli {

TProgressLine::TProgressLine(bool quiet)
    : enabled_(!quiet && ::isatty(STDERR_FILENO) == 1) {}

TProgressLine::~TProgressLine() {
    Clear();
}

void TProgressLine::Clear() {
    if (shown_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
        shown_ = false;
    }
}

TProgressCallback TProgressLine::Callback() {
    if (!enabled_) {
        return {};
    }
    return [this](std::uint64_t scanned) {
        Show(scanned);
    };
}

void TProgressLine::Show(std::uint64_t scanned) {
    std::fprintf(stderr, "\r%s: %llu folders scanned", ProgramName,
                 static_cast<unsigned long long>(scanned));
    std::fflush(stderr);
    shown_ = true;
}

} // namespace hollowsweep::cli
