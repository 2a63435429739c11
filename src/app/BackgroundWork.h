#pragma once

#include "core/presenter/BackgroundWork.h"

namespace hollowsweep::app {

class WaitWindow;

// Runs the work on a thread of its own while this one keeps the windows
// painted behind the modal wait window, its progress line moving, and turns
// its Cancel into the work's cancel flag.
class QtBackgroundWork final : public IBackgroundWork {
public:
    explicit QtBackgroundWork(WaitWindow& wait)
        : wait_(wait) {}

    std::exception_ptr Run(const std::optional<std::string>& message,
                           const std::function<void()>& work, std::atomic<bool>& cancel,
                           const std::function<std::string()>& progress) override;

private:
    WaitWindow& wait_;
};

} // namespace hollowsweep::app
