#include "app/ExceptionGuard.h"

#include <cstdio>

namespace hollowsweep::app {

void IgnoreException(const std::exception* error) noexcept {
    std::fprintf(stderr, "hollowsweep: %s\n", error != nullptr ? error->what() : "unknown error");
}

} // namespace hollowsweep::app
