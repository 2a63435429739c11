#include "core/platform/SilencedStandardError.h"

#include "core/platform/FileDescriptor.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace hollowsweep {

SilencedStandardError::SilencedStandardError() noexcept
    : saved_(::dup(STDERR_FILENO)) {
    std::fflush(stderr);
    const FileDescriptor null(::open("/dev/null", O_WRONLY | O_CLOEXEC));
    if (saved_ >= 0 && null) {
        ::dup2(null.Get(), STDERR_FILENO);
    }
}

SilencedStandardError::~SilencedStandardError() {
    std::fflush(stderr);
    if (saved_ >= 0) {
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
}

} // namespace hollowsweep
