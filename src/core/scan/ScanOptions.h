#pragma once

#include "core/platform/FolderIdentity.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace hollowsweep {

// Hears the running count of folders scanned. It is called from the walk's
// threads, one call at a time, and must not touch a user interface directly.
using ProgressCallback = std::function<void(std::uint64_t foldersScanned)>;

// An empty folder as the walk found it: its full path, and which folder that
// was, so that a removal can tell whether the path still leads to it.
struct EmptyFolder {
    std::string_view Path;
    FolderIdentity Identity{};
};

// Receives each empty folder, in the walk's order.
using EmptyFolderSink = std::function<void(const EmptyFolder& folder)>;

struct ScanOptions {
    // How many threads read folders; 0 means one per processor core.
    unsigned Threads = 0;
    // How many folders may be held open to reach their sub-folders cheaply;
    // 0 means as many as the process's descriptor limit allows.
    std::size_t OpenFolderBudget = 0;
    ProgressCallback Progress;
};

} // namespace hollowsweep
