#pragma once

#include "core/scan/ScanOptions.h"

#include <span>
#include <string>

namespace hollowsweep {

// Calls sink for every empty folder at and below each of folders, folder after
// folder in the order given, each empty folder once even where the folders
// overlap (the same folder twice, or one inside another). Where the rules keep
// the walk out of some folders, a folder given inside another comes before
// it: it is walked on its own, whatever the rules say of its ancestors.
// Returns false when cancelled; the folder being walked then reports nothing.
bool ForEachEmptyFolder(std::span<const std::string> folders, const ScanOptions& options,
                        const EmptyFolderSink& sink);

} // namespace hollowsweep
