#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace hollowsweep {

// Hears the running count of folders scanned. It is called from the walk's
// threads, one call at a time, and must not touch a user interface directly.
using TProgressCallback = std::function<void(std::uint64_t foldersScanned)>;

// Receives each empty folder's full path, in the walk's order.
using TEmptyFolderSink = std::function<void(std::string_view fullPath)>;

struct TScanOptions {
    // How many threads read folders; 0 means one per processor core.
    unsigned Threads = 0;
    // How many folders may be held open to reach their sub-folders cheaply;
    // 0 means as many as the process's descriptor limit allows.
    std::size_t OpenFolderBudget = 0;
    TProgressCallback Progress;
};

} // namespace hollowsweep
