#pragma once

namespace hollowsweep {

// While it lives, what is written to standard error (the C library's and
// the descriptor's) goes nowhere; then standard error is back as it was.
// Only for a stretch in which nothing else writes there.
class SilencedStandardError {
public:
    SilencedStandardError() noexcept;
    SilencedStandardError(const SilencedStandardError&) = delete;
    SilencedStandardError& operator=(const SilencedStandardError&) = delete;
    ~SilencedStandardError();

private:
    // Standard error's own descriptor, kept aside; -1 when none could be.
    int saved_ = -1;
};

} // namespace hollowsweep
