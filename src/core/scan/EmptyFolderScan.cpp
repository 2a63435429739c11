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
            walker.Walk(stored, sink, options.Unreadable);
        } else {
            // Resolved as the folders already walked were, to skip what they held.
            std::string resolved;
            const auto isNew = [&](std::string_view path) {
                resolved.assign(canonical);
                resolved.append(path.substr(stored.size()));
                return !IsAtOrBelowAny(resolved, inside);
            };
            walker.Walk(
                stored,
                [&](const EmptyFolder& found) {
                    if (isNew(found.Path)) {
                        sink(found);
                    }
                },
                [&](std::string_view path, int error) {
                    if (isNew(path) && options.Unreadable) {
                        options.Unreadable(path, error);
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
        list.SetScanRules(options.Rules);
        ScanOptions listOptions = options;
        listOptions.Unreadable = [&list, &options](std::string_view path, int error) {
            list.AddUnreadableFolder({std::string(path), error});
            if (options.Unreadable) {
                options.Unreadable(path, error);
            }
        };
        ForEachEmptyFolder(folders, listOptions, [&list](const EmptyFolder& found) {
            list.Append(ResultRecord::ForFolder(found.Path), found.Identity);
        });
    } catch (...) {
        outcome.Error = std::current_exception();
    }
    list.EndUpdate();
    return outcome;
}

} // namespace hollowsweep
