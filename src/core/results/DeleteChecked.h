#pragma once

#include "core/removal/FolderRemoval.h"
#include "core/results/ResultList.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

struct DeleteFailure {
    std::string Path;
    RemovalOutcome Outcome = RemovalOutcome::Failed;
    // The system's code where a call failed, else 0.
    int ErrorCode = 0;
    // The trash's own words where it refused the folder, else empty.
    std::string Reason;
};

struct DeleteSummary {
    std::size_t Removed = 0;
    // Checked entries whose folder was already gone; their entries are dropped.
    std::size_t Gone = 0;
    // Folders that stayed, in list order: their entries stay, still checked.
    std::vector<DeleteFailure> Failures;
    // False when cancelled before every checked folder was handled.
    bool Complete = true;
};

using RemovedCallback = std::function<void(std::string_view path)>;

// Removes every checked folder that is empty now, sub-folders before the
// folders that hold them whatever order the list shows, so that one call takes
// a whole checked chain. Folders are reached from the list's scanned folders
// and must still be the folders the scan found; the rules the scan went by
// apply, whatever options.Rules holds. An entry leaves the list when
// its folder was removed or no longer exists. onRemoved hears each removed
// folder from the removal's threads, one call at a time.
DeleteSummary DeleteCheckedFolders(ResultList& list, const RemovalOptions& options = {},
                                   const RemovedCallback& onRemoved = {});

// The same in three steps, so that the removal can run on another thread
// while the list stays where it lives: Plan and Finish read and change the
// list, Remove touches only the folders. Nothing may change the list from
// Plan to Finish.
class CheckedFolderRemoval {
public:
    explicit CheckedFolderRemoval(ResultList& list);
    CheckedFolderRemoval(const CheckedFolderRemoval&) = delete;
    CheckedFolderRemoval& operator=(const CheckedFolderRemoval&) = delete;
    ~CheckedFolderRemoval();

    // The checked folders to remove, found by the rules the list was
    // scanned with; returns how many.
    std::size_t Plan();
    // Removes them; onRemoved hears each removed folder from the removal's
    // threads, one call at a time.
    void Remove(const RemovalOptions& options, const RemovedCallback& onRemoved);
    // Entries of removed and vanished folders leave the list; those that
    // stayed are marked Kept, with the reason.
    DeleteSummary Finish();

private:
    class Run;
    std::unique_ptr<Run> run_;
};

} // namespace hollowsweep
