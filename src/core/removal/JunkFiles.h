#pragma once

#include "core/platform/DirectoryReader.h"
#include "core/platform/FolderIdentity.h"
#include "core/platform/NativeHandle.h"
#include "core/removal/RemovalOutcome.h"
#include "core/rules/ScanRules.h"

namespace hollowsweep {

// Empties a folder that holds nothing but junk files, so that it can be
// removed. The folder is opened below its parent's handle, never through a
// link, and must be the expected folder when that is known. Should its
// listing show anything else, nothing is removed and the folder is NotEmpty.
// Each file is checked again right before it goes: a regular file with a junk
// name. Two gaps stay, as Linux removes names, not files: an entry put in a
// junk file's place between that check and the removal loses its name (never
// its data, which a link or another name still holds), and anything added
// after the listing keeps the folder, its junk files already gone.
// Returns Removed once every junk file is gone.
RemovalResult RemoveJunkFiles(NativeHandle parent, const char* name, const FolderIdentity& expected,
                              const ScanRules& rules, DirectoryReader& reader);

} // namespace hollowsweep
