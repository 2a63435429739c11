#include "core/scan/WalkProtection.h"

#include "core/platform/EntryStatus.h"
#include "core/platform/FolderPaths.h"

#include <algorithm>
#include <utility>

namespace hollowsweep {

WalkProtection::WalkProtection(std::string root)
    : root_(std::move(root))
    , rootProtection_(places_.ByPath(root_))
    , systemMounts_(places_.SystemMountsBelow(root_)) {
    submodules_.Add({}, places_.SubmodulesBelowFrom(root_));
    for (const auto& mount : systemMounts_) {
        const auto names =
            static_cast<std::size_t>(std::count(mount.begin(), mount.end(), PathSeparator));
        systemMountDepth_ = std::max(systemMountDepth_, names + 1);
    }
}

bool WalkProtection::IsSystemMount(std::string_view relativePath) const {
    return std::find(systemMounts_.begin(), systemMounts_.end(), relativePath) !=
           systemMounts_.end();
}

void WalkProtection::Label(NodeIndex index, ProtectionKind kind) {
    const std::lock_guard lock(labelsMutex_);
    labels_.emplace(index, kind);
}

void WalkProtection::AddSubmodules(const std::string& workTree,
                                   const std::vector<std::string>& paths) {
    submodules_.Add(workTree, paths);
}

std::optional<ProtectionKind> WalkProtection::LabelOf(NodeIndex index) const {
    const std::lock_guard lock(labelsMutex_);
    const auto found = labels_.find(index);
    if (found == labels_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<Protection> WalkProtection::ByPlace(std::string_view relativePath) const {
    if (!relativePath.empty() && submodules_.Contains(relativePath)) {
        return Protection{ProtectionKind::Submodule, {}};
    }
    std::string path = root_;
    if (!relativePath.empty()) {
        if (!path.ends_with(PathSeparator)) {
            path += PathSeparator;
        }
        path += relativePath;
    }
    return places_.ByPlace(path);
}

} // namespace hollowsweep
