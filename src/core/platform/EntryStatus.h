#pragma once

#include "core/platform/FolderIdentity.h"
#include "core/platform/NativeHandle.h"

#include <cstdint>
#include <optional>

namespace hollowsweep {

// What the scan rules and the removal ask of a folder or file, read in one call.
struct EntryStatus {
    FolderIdentity Identity{};
    // Nanoseconds since the epoch.
    std::int64_t Modified = 0;
    // Another file system is mounted here, or the same one bound once more.
    bool MountRoot = false;
    bool IsFolder = false;
    bool IsRegularFile = false;
};

// The status of the folder an open handle refers to.
std::optional<EntryStatus> StatusOf(NativeHandle handle) noexcept;
// The status of the entry name in a folder, a link not followed; errno tells
// why when there is none.
std::optional<EntryStatus> StatusAt(NativeHandle folder, const char* name) noexcept;

} // namespace hollowsweep
