#pragma once

#include "core/platform/FolderIdentity.h"
#include "core/rules/ProtectedFolders.h"
#include "core/rules/ScanRules.h"

#include <atomic>
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

// Receives each folder that could not be opened or listed, with the system's
// error code. Such a folder counts as content: nothing holding it is empty.
using UnreadableFolderSink = std::function<void(std::string_view path, int error)>;

// Receives each folder that protection kept and that holds no file at any
// depth otherwise: what the list would have held without it.
using ProtectedFolderSink =
    std::function<void(std::string_view path, const Protection& protection)>;

struct ScanOptions {
    // How many threads read folders; 0 means the default (ScanThreadCount).
    unsigned Threads = 0;
    // How many folders may be held open to reach their sub-folders cheaply;
    // 0 means as many as the process's descriptor limit allows.
    std::size_t OpenFolderBudget = 0;
    ScanRules Rules;
    // Once set, the walk stops after the folders being read and reports
    // nothing more.
    const std::atomic<bool>* Cancel = nullptr;
    ProgressCallback Progress;
    // Called on the scanning thread, after every folder was read and before
    // the empty folders are reported.
    UnreadableFolderSink Unreadable;
    // Called like Unreadable, after it, for the folders protection kept.
    ProtectedFolderSink Protected;
};

} // namespace hollowsweep
