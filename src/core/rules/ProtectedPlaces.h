#pragma once

#include "core/platform/MountTable.h"
#include "core/platform/NativeHandle.h"
#include "core/rules/ProtectedFolders.h"

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace hollowsweep {

// What protection knows of the machine around the folders it judges: the
// mounts, the mount table and the installed packages. Made once for a scan or
// a removal; the package lists are read only when a folder that a package may
// own asks for them: not one below /home, /tmp and the like, whose contents
// no package may ship.
class ProtectedPlaces {
public:
    // mountTable is the file the mount points are read from.
    explicit ProtectedPlaces(const std::string& mountTable = "/etc/fstab");

    // The protection a folder has by where it is, asked of a folder that
    // holds no file: a mount point in the mount table or a package's folder.
    // path is absolute and without links.
    std::optional<Protection> ByPlace(const std::string& path) const;

    // The mount points of system file systems strictly below folder (absolute
    // and without links), as paths relative to it.
    std::vector<std::string> SystemMountsBelow(const std::string& folder) const;

    // Whether path (absolute, without links) lies on a system file system.
    bool OnSystemFileSystem(const std::string& path) const;

    // The protection path has from itself and the folders above it, looked up
    // on disk without following links: by their names, by what they hold (a
    // git directory, a database cluster, a Maildir), or as a submodule of a
    // work tree above it. Answers for folders above are kept, so the paths of
    // a long list cost little. Not for several threads at once.
    std::optional<Protection> ByPath(const std::string& path);

    // The submodule placeholders that work trees above folder (absolute and
    // without links) name below it, as paths relative to it.
    std::vector<std::string> SubmodulesBelowFrom(const std::string& folder);

    // Everything the protection of one folder asks, for a folder named
    // without a scan, as a list names it: by its path, as a mount point, on a
    // system file system, and by its place. A folder above it that cannot be
    // resolved (it is gone) protects nothing.
    std::optional<Protection> OfFolder(const std::string& listed);

private:
    struct FolderFacts {
        // What the folder's name and content say of it and all below it.
        std::optional<ProtectionKind> Seal;
        // Submodule paths it names, when it is a work tree.
        std::vector<std::string> Submodules;
    };
    const FolderFacts& FactsOf(const std::string& folder);
    std::optional<Protection> ByPath(const std::string& path, bool byOwnContent);
    // mountPoint must be one of mounts_.
    const MountedFileSystem& TopmostAt(const std::string& mountPoint) const;

    std::vector<MountedFileSystem> mounts_;
    std::unordered_set<std::string> mountTablePoints_;
    std::unordered_map<std::string, FolderFacts> facts_;
    // Folders above listed ones, resolved.
    std::unordered_map<std::string, std::string> resolved_;
};

// The submodule paths that the .gitmodules in a work tree, open as folder,
// names; none where it is not a regular file or cannot be read.
std::vector<std::string> SubmodulesNamedIn(NativeHandle folder);

// The submodule placeholders met during one walk, as paths relative to its
// starting folder. Filled by the walk's threads, read after it.
class SubmodulePlaces {
public:
    void Add(const std::string& workTree, const std::vector<std::string>& paths);
    bool Contains(std::string_view relativePath) const;
    bool Empty() const noexcept { return paths_.empty(); }

private:
    mutable std::mutex mutex_;
    std::unordered_set<std::string> paths_;
};

} // namespace hollowsweep
