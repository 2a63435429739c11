#include "core/scan/EmptyFolderScan.h"

#include "core/platform/FolderPaths.h"
#include "core/scan/FolderWalker.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace hollowsweep {

namespace {

bool IsAtOrBelowAny(std::string_view path, const std::vector<std::string>& folders) {
    for (const auto& folder : folders) {
        if (IsAtOrBelow(path, folder)) {
            return true;
        }
    }
    return false;
}

// The folders already walked that lie inside the one about to be walked: their
// empty folders were reported and must not come again.
std::vector<std::string> WalkedInside(const std::string& canonical,
                                      const std::vector<std::string>& walked) {
    std::vector<std::string> inside;
    for (const auto& folder : walked) {
        if (IsAtOrBelow(folder, canonical)) {
            inside.push_back(folder);
        }
    }
    return inside;
}

} // namespace

void ForEachEmptyFolder(std::span<const std::string> folders, const ScanOptions& options,
                        const EmptyFolderSink& sink) {
    // Progress counts on across the folders.
    std::uint64_t earlierWalks = 0;
    std::uint64_t thisWalk = 0;
    ScanOptions walkOptions = options;
    if (options.Progress) {
        walkOptions.Progress = [&](std::uint64_t scanned) {
            thisWalk = scanned;
            options.Progress(earlierWalks + scanned);
        };
    }
    FolderWalker walker(walkOptions);
    std::vector<std::string> walked;
    for (const auto& folder : folders) {
        const std::string stored = StoredFolderPath(folder);
        const std::string canonical = folders.size() > 1 ? CanonicalPath(stored) : stored;
        if (IsAtOrBelowAny(canonical, walked)) {
            continue;
        }
        const std::vector<std::string> inside = WalkedInside(canonical, walked);
        if (inside.empty()) {
            walker.Walk(stored, sink);
        } else {
            std::string resolved;
            walker.Walk(stored, [&](const EmptyFolder& found) {
                resolved.assign(canonical);
                resolved.append(found.Path.substr(stored.size()));
                if (!IsAtOrBelowAny(resolved, inside)) {
                    sink(found);
                }
            });
        }
        walked.push_back(canonical);
        earlierWalks += std::exchange(thisWalk, 0);
    }
}

ScanOutcome LoadEmptyFolders(ResultList& list, std::string_view folder,
                             const ScanOptions& options) {
    const std::string folders[] = {std::string(folder)};
    return LoadEmptyFolders(list, folders, options);
}

ScanOutcome LoadEmptyFolders(ResultList& list, std::span<const std::string> folders,
                             const ScanOptions& options) {
    list.Clear();
    list.BeginUpdate();
    ScanOutcome outcome;
    try {
        list.SetScannedFolders({folders.begin(), folders.end()});
        ForEachEmptyFolder(folders, options, [&list](const EmptyFolder& found) {
            list.Append(ResultRecord::ForFolder(found.Path), found.Identity);
        });
    } catch (...) {
        outcome.Error = std::current_exception();
    }
    list.EndUpdate();
    return outcome;
}

} // namespace hollowsweep
