#pragma once

#include "core/removal/RemovalOutcome.h"
#include "core/removal/RemovalPlan.h"
#include "core/removal/TrashMove.h"
#include "core/rules/ScanRules.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string_view>

namespace hollowsweep {

// The outcome of one target.
struct RemovalEvent {
    std::string_view Path;
    std::size_t Tag;
    RemovalOutcome Outcome;
    // The system's code where a call failed, else 0.
    int ErrorCode;
    // The trash's own words where it refused the folder, else empty.
    std::string_view Reason;
};

// Hears each handled target once. It is called from the removal's threads,
// one call at a time, and must not touch a user interface directly.
using RemovalListener = std::function<void(const RemovalEvent& event)>;

struct RemovalOptions {
    // How many threads remove folders; 0 means the default (RemovalThreadCount).
    unsigned Threads = 0;
    // How many folders may be held open; 0 means as many as the descriptor
    // limit allows. Past it, removal goes on in fewer descriptors, more slowly.
    std::size_t OpenFolderBudget = 0;
    // Once set, no further folder is started; the removals in flight finish.
    const std::atomic<bool>* Cancel = nullptr;
    // Every check is made, and every target that passes is reported removed,
    // but nothing is removed: what a removal would try.
    bool DryRun = false;
    // Applied again as the removal meets each folder, so that folders listed
    // without a scan obey them too, and removing junk files where a junk rule
    // is set.
    ScanRules Rules;
    // Where set, folders go to the desktop's trash through it instead of being
    // removed, under the same checks, and are reported Removed. A folder goes
    // with the folders inside it once they were checked: a chain of empty
    // folders is one item in the trash, restored at once. Junk files go with
    // their folder.
    MoveToTrashFunction MoveToTrash;
};

// Removes every target of the plan that is empty now, each after the targets
// below it, so that one call takes whole chains of empty folders.
//
// Each starting folder is opened once, the way it was named. Every folder
// below it is reached from its parent's handle, never through a link, so no
// removal leaves the starting folders however the tree changes meanwhile. A
// target whose identity is known and differs from the folder found there now
// is not removed, and neither is anything below it. Only empty folders are
// ever removed, and files only where a junk rule names them, to remove the
// folder holding nothing else.
//
// Folders of different parents are removed on several threads. The outcome of
// every target is the same as one thread's; only the order of the events
// differs. Returns false when cancelled before every target was handled;
// targets not handled are not heard of.
bool RemoveFolders(RemovalPlan& plan, const RemovalOptions& options,
                   const RemovalListener& listener);

} // namespace hollowsweep
