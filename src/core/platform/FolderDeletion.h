#pragma once

#include "core/platform/FolderHandle.h"

#include <string_view>

namespace hollowsweep {

// What became of one folder a removal was asked to take.
enum class FolderDeletion {
    Removed,
    // Not there any more when its turn came.
    Gone,
    // Another folder, a file or a reparse point has its name now.
    Replaced,
    // It holds something now; it stays.
    NotEmpty,
    // The system refused, for the reason in Error.
    Failed,
};

struct FolderDeletionResult {
    FolderDeletion Outcome;
    // The errno value of the refusal, else 0.
    int Error;
};

// Removes the folder name, one component, below the open folder parent when
// it is still the folder with identity expected (any folder when that is
// unknown) and holds nothing. It is
// opened relative to the parent, never through a reparse point, and removed
// through that handle: with POSIX semantics where the system has them, else
// as Windows always did. A read-only folder loses the attribute first and
// gets it back when it stays. A failed removal is never tried again on the
// same handle (Wine then reports success and removes nothing), and success
// counts only once the name is gone.
FolderDeletionResult DeleteFolderBelow(void* parent, std::string_view name,
                                       const FileIdentity& expected);
inline FolderDeletionResult DeleteFolderBelow(const FileHandle& parent, std::string_view name,
                                              const FileIdentity& expected) {
    return DeleteFolderBelow(parent.Get(), name, expected);
}

} // namespace hollowsweep
