#pragma once

#include "core/rules/ProtectedFolders.h"
#include "core/rules/ProtectedPlaces.h"
#include "core/scan/FolderTree.h"

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace hollowsweep {

// What one walk knows of the protected folders in its tree. The walk's threads
// label folders as their listings show them; once every folder is read, the
// ordered pass asks the labels and, for a folder found otherwise empty, its
// place.
class WalkProtection {
public:
    // root is the starting folder's path without links.
    explicit WalkProtection(std::string root);

    // The protection the starting folder has from its path: from the folders
    // above it, by its name and content, or as a submodule.
    const std::optional<Protection>& RootProtection() const noexcept { return rootProtection_; }

    // How many names the deepest system mount below the root has; 0 for none.
    std::size_t SystemMountDepth() const noexcept { return systemMountDepth_; }
    bool IsSystemMount(std::string_view relativePath) const;

    // Labels a folder met by the walk; from any thread.
    void Label(NodeIndex index, ProtectionKind kind);
    // The submodules a work tree names; from any thread.
    void AddSubmodules(const std::string& workTree, const std::vector<std::string>& paths);

    // After the walk: a folder's own label.
    std::optional<ProtectionKind> LabelOf(NodeIndex index) const;
    // After the walk: the protection a folder that holds no file has by its
    // place, given its path relative to the root ("" for the root).
    std::optional<Protection> ByPlace(std::string_view relativePath) const;

private:
    std::string root_;
    ProtectedPlaces places_;
    std::optional<Protection> rootProtection_;
    std::vector<std::string> systemMounts_;
    std::size_t systemMountDepth_ = 0;
    SubmodulePlaces submodules_;
    mutable std::mutex labelsMutex_;
    std::unordered_map<NodeIndex, ProtectionKind> labels_;
};

} // namespace hollowsweep
