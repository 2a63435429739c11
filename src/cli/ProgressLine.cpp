#include "cli/ProgressLine.h"

#include "cli/ExitStatus.h"
#include "core/product/Messages.h"

#include <cstdio>
#include <unistd.h>

namespace hollowsweep::cli {

ProgressLine::ProgressLine(bool quiet)
    : enabled_(!quiet && ::isatty(STDERR_FILENO) == 1) {}

ProgressLine::~ProgressLine() {
    Clear();
}

void ProgressLine::Clear() {
    if (shown_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
        shown_ = false;
    }
}

ProgressCallback ProgressLine::Callback() {
    if (!enabled_) {
        return {};
    }
    return [this](std::uint64_t scanned) {
        Show(scanned);
    };
}

void ProgressLine::Show(std::uint64_t scanned) {
    std::fputc('\r', stderr);
    std::fprintf(stderr, Tr("%s: %llu folders scanned"), ProgramName,
                 static_cast<unsigned long long>(scanned));
    std::fflush(stderr);
    shown_ = true;
}

} // namespace hollowsweep::cli
