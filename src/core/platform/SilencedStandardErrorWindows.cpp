#include "core/platform/SilencedStandardError.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace hollowsweep {

namespace {
constexpr int StandardError = 2;
} // namespace

SilencedStandardError::SilencedStandardError() noexcept
    : saved_(::_dup(StandardError)) {
    std::fflush(stderr);
    const int null = ::_open("NUL", _O_WRONLY | _O_NOINHERIT);
    if (saved_ >= 0 && null >= 0) {
        ::_dup2(null, StandardError);
    }
    if (null >= 0) {
        ::_close(null);
    }
}

SilencedStandardError::~SilencedStandardError() {
    std::fflush(stderr);
    if (saved_ >= 0) {
        ::_dup2(saved_, StandardError);
        ::_close(saved_);
    }
}

} // namespace hollowsweep
