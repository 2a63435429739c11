#pragma once

#include <exception>
#include <utility>

namespace hollowsweep::app {

// Where an error that no handler caught ends: the user sees nothing, and one
// line goes to standard error.
void IgnoreException(const std::exception* error) noexcept;
// The same for an error that was caught elsewhere and handed over.
void IgnoreException(const std::exception_ptr& error) noexcept;

// Runs a handler so that no exception reaches Qt's event loop.
template <class Handler> void Guarded(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        IgnoreException(&error);
    } catch (...) {
        IgnoreException(nullptr);
    }
}

} // namespace hollowsweep::app
