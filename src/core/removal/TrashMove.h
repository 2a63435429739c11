#pragma once

#include "core/platform/DirectoryReader.h"
#include "core/platform/FolderIdentity.h"
#include "core/platform/NativeHandle.h"
#include "core/removal/RemovalOutcome.h"
#include "core/rules/ScanRules.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace hollowsweep {

// Moves the folder at a path to the desktop's trash. Returns nothing once the
// trash took it, else the trash's own words for why it did not. The desktop's
// trash is reached by path only, so the removal hands it one.
using MoveToTrashFunction = std::function<std::optional<std::string>(const std::string& path)>;

// Whether a sub-folder, by its name, was checked already and goes to the
// trash with the folder that holds it.
using GoesAlongFunction = std::function<bool(std::string_view name)>;

// Whether a folder may go to the trash as it is now, in place of rmdir. It is
// opened below its parent's handle, never through a link, and must be the
// expected folder when that is known. It may hold files that a junk rule
// names, which go to the trash with it, and the sub-folders that goesAlong
// accepts; anything else keeps it. Returns Removed when it may go, and fills
// in identity, which holds the expected folder's or an unknown one.
RemovalResult CheckForTrash(NativeHandle parent, const char* name, FolderIdentity& identity,
                            const ScanRules& rules, DirectoryReader& reader,
                            const GoesAlongFunction& goesAlong);

// Hands a checked folder to the trash. Its path is the one the system gives
// for its parent's handle, so no link on the way the user named it can choose
// another folder, and it must lead to the folder, its last step not followed.
// The trash gets that path right after this proof; should anything take the
// folder's place in between, the trash takes that in its place, and the user
// finds it there again. Returns Removed once the trash took the folder;
// NotTrashed with the trash's words in reason when it refused; Changed when
// the folder is not where it was checked, or stayed there while the trash
// took something else. spelled is the folder's path as the user named it,
// used where the system cannot name the parent's handle.
RemovalResult HandToTrash(NativeHandle parent, const char* name, const FolderIdentity& folder,
                          const std::string& spelled, const MoveToTrashFunction& moveToTrash,
                          std::string& reason);

} // namespace hollowsweep
