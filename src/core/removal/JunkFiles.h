#pragma once

#include "core/platform/DirectoryReader.h"
#include "core/platform/FolderIdentity.h"
#include "core/removal/RemovalOutcome.h"
#include "core/rules/ScanRules.h"

namespace hollowsweep {

// Empties a folder that holds nothing but junk files, so that it can be
// removed. The folder is opened below its parent's handle, never through a
// link, and must be the expected folder when that is known. Each file is
// checked again right before it goes: a regular file with a junk name. Should
// anything else be there, nothing is removed and the folder is NotEmpty.
// Returns Removed once every junk file is gone.
RemovalResult RemoveJunkFiles(int parentFd, const char* name, const FolderIdentity& expected,
                              const ScanRules& rules, DirectoryReader& reader);

} // namespace hollowsweep
