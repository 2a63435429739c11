#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace hollowsweep {

// Runs long work away from the window: the window stays painted behind a
// modal wait window that shows message (when given), a progress line from
// progress, and a Cancel button that sets cancel. Returns what the work threw.
class IBackgroundWork {
public:
    virtual ~IBackgroundWork() = default;

    virtual std::exception_ptr Run(const std::optional<std::string>& message,
                                   const std::function<void()>& work, std::atomic<bool>& cancel,
                                   const std::function<std::string()>& progress) = 0;
};

} // namespace hollowsweep
