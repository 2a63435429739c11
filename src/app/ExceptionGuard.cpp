#include "app/ExceptionGuard.h"

#include <cstdio>

namespace hollowsweep::app {

void IgnoreException(const std::exception* error) noexcept {
    std::fprintf(stderr, "hollowsweep: %s\n", error != nullptr ? error->what() : "unknown error");
}

void IgnoreException(const std::exception_ptr& error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& caught) {
        IgnoreException(&caught);
    } catch (...) {
        IgnoreException(nullptr);
    }
}

} // namespace hollowsweep::app
