#pragma once

#include "core/scan/ScanOptions.h"

#include <cstdint>

namespace hollowsweep::cli {

// The running count of scanned folders on standard error, kept on one line.
// It shows only when standard error is a terminal and the user did not ask
// for quiet.
class ProgressLine {
public:
    explicit ProgressLine(bool quiet);
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;
    ~ProgressLine();

    // The callback for the scan, or none when the count is not shown.
    ProgressCallback Callback();
    // Takes the count off the terminal before other output goes there.
    void Clear();

private:
    void Show(std::uint64_t scanned);

    bool enabled_;
    bool shown_ = false;
};

} // namespace hollowsweep::cli
