#pragma once

#include "results/ResultList.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

struct TDeleteFailure {
    std::string Path;
    int ErrorCode = 0;
};

struct TDeleteSummary {
    std::size_t Removed = 0;
    // Checked entries whose folder was already gone; their entries are dropped.
    std::size_t Gone = 0;
    // Folders that stayed: their entries stay in the list, still checked.
    std::vector<TDeleteFailure> Failures;
};

using TRemovedCallback = std::function<void(std::string_view path)>;

// Removes every checked folder that is empty now, sub-folders before the
// folders that hold them whatever order the list shows, so that one call takes
// a whole checked chain. Only empty folders are ever removed. An entry leaves
// the list when its folder was removed or no longer exists.
TDeleteSummary DeleteCheckedFolders(TResultList& list, const TRemovedCallback& onRemoved = {});

// The checked entries' indices in the order their folders are removed: longest
// path first, since a folder's path is longer than that of any folder holding it.
std::vector<std::size_t> RemovalOrder(const TResultList& list);

} // namespace hollowsweep
