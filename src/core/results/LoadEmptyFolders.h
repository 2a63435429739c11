#pragma once

#include "core/results/ResultList.h"
#include "core/scan/ScanOptions.h"

#include <exception>
#include <span>
#include <string>
#include <string_view>

namespace hollowsweep {

// How a scan ended: whole, cancelled, or stopped by the error it holds.
struct ScanOutcome {
    std::exception_ptr Error;
    bool Cancelled = false;

    explicit operator bool() const noexcept { return !Error && !Cancelled; }
};

// Replaces the list's entries with the empty folders at and below folder, in the
// walk's order, all checked, and keeps with them the folders that could not be
// read and the rules they were found by. An error ends the walk: the entries found before it
// stay, the list's update is ended, and the outcome holds the error.
ScanOutcome LoadEmptyFolders(ResultList& list, std::string_view folder,
                             const ScanOptions& options = {});

// The same for several folders at once, as a drop of folders gives them.
ScanOutcome LoadEmptyFolders(ResultList& list, std::span<const std::string> folders,
                             const ScanOptions& options = {});

} // namespace hollowsweep
