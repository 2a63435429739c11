#include "core/scan/EmptyFolderScan.h"

#include "core/platform/FolderPaths.h"
#include "core/rules/ProtectedPlaces.h"
#include "core/scan/FolderWalker.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace hollowsweep {

namespace {

bool IsAtOrBelowAny(std::string_view path, const std::vector<std::string>& folders) {
    return std::any_of(folders.begin(), folders.end(),
                       [path](const std::string& folder) { return IsAtOrBelow(path, folder); });
}

// The order of the walks: as given, except that where rules keep a walk out of
// some folders, a folder given inside another is walked before it, since the
// walk of the other one may never reach it. Folders are in resolved form.
std::vector<std::size_t> WalkOrder(const std::vector<std::string>& folders, bool innerFirst) {
    std::vector<std::size_t> order;
    std::vector<bool> placed(folders.size(), false);
    const auto place = [&](std::size_t index, auto& self) -> void {
        placed[index] = true;
        for (std::size_t inner = 0; innerFirst && inner < folders.size(); ++inner) {
            if (!placed[inner] && folders[inner] != folders[index] &&
                IsAtOrBelow(folders[inner], folders[index])) {
                self(inner, self);
            }
        }
        order.push_back(index);
    };
    for (std::size_t index = 0; index < folders.size(); ++index) {
        if (!placed[index]) {
            place(index, place);
        }
    }
    return order;
}

// Whether a folder lies on a system file system mounted below another one,
// whose walk never enters it. Folders are in resolved form.
bool OnSystemMountOfAnother(const std::vector<std::string>& folders) {
    if (folders.size() < 2) {
        return false;
    }
    const ProtectedPlaces places;
    for (const auto& outer : folders) {
        for (const auto& mount : places.SystemMountsBelow(outer)) {
            std::string mountPoint = outer;
            if (!mountPoint.ends_with(PathSeparator)) {
                mountPoint += PathSeparator;
            }
            mountPoint += mount;
            const auto onIt = [&mountPoint](const std::string& inner) {
                return IsAtOrBelow(inner, mountPoint);
            };
            if (std::any_of(folders.begin(), folders.end(), onIt)) {
                return true;
            }
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

bool ForEachEmptyFolder(std::span<const std::string> folders, const ScanOptions& options,
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
    std::vector<std::string> stored;
    std::vector<std::string> resolved;
    for (const auto& folder : folders) {
        stored.push_back(StoredFolderPath(folder));
        resolved.push_back(folders.size() > 1 ? CanonicalPath(stored.back()) : stored.back());
    }
    std::vector<std::string> walked;
    const bool innerFirst = options.Rules.KeepsOutFolders() ||
                            (options.Rules.ProtectFolders && OnSystemMountOfAnother(resolved));
    for (const std::size_t index : WalkOrder(resolved, innerFirst)) {
        const std::string& folder = stored[index];
        const std::string& canonical = resolved[index];
        if (IsAtOrBelowAny(canonical, walked)) {
            continue;
        }
        const std::vector<std::string> inside = WalkedInside(canonical, walked);
        bool whole = true;
        if (inside.empty()) {
            whole = walker.Walk(folder, sink, options.Unreadable, options.Protected);
        } else {
            // Resolved as the folders already walked were, to skip what they held.
            std::string inResolvedForm;
            const auto isNew = [&](std::string_view found) {
                inResolvedForm.assign(canonical);
                inResolvedForm.append(found.substr(folder.size()));
                return !IsAtOrBelowAny(inResolvedForm, inside);
            };
            whole = walker.Walk(
                folder,
                [&](const EmptyFolder& found) {
                    if (isNew(found.Path)) {
                        sink(found);
                    }
                },
                [&](std::string_view path, int error) {
                    if (isNew(path) && options.Unreadable) {
                        options.Unreadable(path, error);
                    }
                },
                [&](std::string_view path, const Protection& protection) {
                    if (isNew(path) && options.Protected) {
                        options.Protected(path, protection);
                    }
                });
        }
        if (!whole) {
            return false;
        }
        walked.push_back(canonical);
        earlierWalks += std::exchange(thisWalk, 0);
    }
    return true;
}

} // namespace hollowsweep
