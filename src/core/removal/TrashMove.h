#pragma once

#include "core/platform/DirectoryReader.h"
#include "core/platform/FolderIdentity.h"
#include "core/removal/RemovalOutcome.h"
#include "core/rules/ScanRules.h"

#include <functional>
#include <string>

namespace hollowsweep {

// Moves the folder at a path to the desktop's trash and says whether it did.
// The desktop's trash is reached by path only, so the removal hands it one.
using MoveToTrashFunction = std::function<bool(const std::string& path)>;

// Sends a folder that is empty now to the trash, in place of rmdir. Junk files
// go first where a rule names them. The folder is then opened below its
// parent's handle, never through a link, and must be the expected folder
// when that is known, hold nothing, and be the folder its path leads to.
// The move itself goes by path: a folder swapped in between these checks and
// the move lands in the trash in its place, where the user finds it again.
// Returns Removed once the trash took it.
RemovalResult MoveFolderToTrash(int parentFd, const char* name, const std::string& path,
                                const FolderIdentity& expected, const ScanRules& rules,
                                DirectoryReader& reader, const MoveToTrashFunction& moveToTrash);

} // namespace hollowsweep
