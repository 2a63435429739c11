#include "core/rules/ProtectedPlaces.h"

#include "core/errors/Errors.h"
#include "core/platform/EntryStatus.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/PackageDatabase.h"
#include "core/platform/WholeFile.h"

#include <algorithm>
#include <array>
#include <utility>

namespace hollowsweep {

namespace {

// Debian's policy keeps packages out of what these folders hold, the users'
// homes among them: a package may own the folder itself, never anything below
// it. Below them the package lists are not read. A home elsewhere is no such
// place: it may be "/" or a package's folder.
constexpr std::array<std::string_view, 8> UnpackagedFolders{"/home", "/media", "/mnt", "/root",
                                                            "/run",  "/srv",   "/tmp", "/var/tmp"};

bool MayBelongToPackage(const std::string& path) {
    return std::none_of(UnpackagedFolders.begin(), UnpackagedFolders.end(),
                        [&path](std::string_view folder) {
                            return path.size() > folder.size() && IsAtOrBelow(path, folder);
                        });
}

bool IsFolderAt(const std::string& path) {
    const auto status = StatusAt(CurrentFolder, path.c_str());
    return status && status->IsFolder;
}

bool IsFileAt(const std::string& path) {
    const auto status = StatusAt(CurrentFolder, path.c_str());
    return status && status->IsRegularFile;
}

bool Exists(const std::string& path) {
    return StatusAt(CurrentFolder, path.c_str()).has_value();
}

std::string Child(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.ends_with(PathSeparator)) {
        path += PathSeparator;
    }
    path += name;
    return path;
}

std::string ParentOf(const std::string& path) {
    const std::size_t separator = path.find_last_of(PathSeparators);
    std::string root = RootOf(path);
    return separator == std::string::npos || separator < root.size() ? root
                                                                     : path.substr(0, separator);
}

std::string_view NameOf(std::string_view path) {
    return path.substr(path.find_last_of(PathSeparators) + 1);
}

// Where the path below folder begins in a path that lies below it.
std::size_t BelowStart(const std::string& folder) {
    return folder.ends_with(PathSeparator) ? folder.size() : folder.size() + 1;
}

// The folders from the root down to path, path included.
std::vector<std::string> FoldersDownTo(const std::string& path) {
    std::string root = RootOf(path);
    std::vector<std::string> folders{root};
    for (std::size_t at = path.find_first_of(PathSeparators, root.size()); at != std::string::npos;
         at = path.find_first_of(PathSeparators, at + 1)) {
        folders.push_back(path.substr(0, at));
    }
    if (path != root) {
        folders.push_back(path);
    }
    return folders;
}

std::vector<std::string> ReadSubmodules(const std::string& workTree) {
    const OwnedHandle folder = OpenFolderToReach(workTree);
    return folder ? SubmodulesNamedIn(folder.Get()) : std::vector<std::string>{};
}

// What a folder's name and the folders beside it say, without looking into it.
std::optional<ProtectionKind> SealByPlace(const std::string& folder) {
    const std::string_view name = NameOf(folder);
    if (const auto kind = ProtectionByName(name)) {
        return kind;
    }
    if (ListingMarkers::IsMaildirFolderName(name)) {
        const std::string parent = ParentOf(folder);
        if (IsFolderAt(Child(parent, "cur")) && IsFolderAt(Child(parent, "new")) &&
            IsFolderAt(Child(parent, "tmp"))) {
            return ProtectionKind::MailFolder;
        }
    }
    return std::nullopt;
}

} // namespace

ProtectedPlaces::ProtectedPlaces(const std::string& mountTable)
    : mounts_(MountedFileSystems()) {
    for (const auto& point : MountTablePoints(mountTable)) {
        const std::size_t end = point.find_last_not_of('/');
        mountTablePoints_.insert(end == std::string::npos ? "/" : point.substr(0, end + 1));
    }
}

std::optional<Protection> ProtectedPlaces::ByPlace(const std::string& path) const {
    if (mountTablePoints_.contains(path)) {
        return Protection{ProtectionKind::MountPoint, {}};
    }
    if (!MayBelongToPackage(path)) {
        return std::nullopt;
    }
    if (auto owner = PackageDatabase::Installed().OwnerOf(path)) {
        return Protection{ProtectionKind::Package, std::move(*owner)};
    }
    return std::nullopt;
}

std::vector<std::string> ProtectedPlaces::SystemMountsBelow(const std::string& folder) const {
    std::vector<std::string> below;
    for (const auto& mount : mounts_) {
        if (mount.MountPoint != folder && IsAtOrBelow(mount.MountPoint, folder) &&
            IsSystemFileSystemType(TopmostAt(mount.MountPoint).Type)) {
            std::string relative = mount.MountPoint.substr(BelowStart(folder));
            if (std::find(below.begin(), below.end(), relative) == below.end()) {
                below.push_back(std::move(relative));
            }
        }
    }
    return below;
}

bool ProtectedPlaces::OnSystemFileSystem(const std::string& path) const {
    const MountedFileSystem* holder = nullptr;
    for (const auto& mount : mounts_) {
        if (IsAtOrBelow(path, mount.MountPoint) &&
            (holder == nullptr || mount.MountPoint.size() > holder->MountPoint.size())) {
            holder = &mount;
        }
    }
    return holder != nullptr && IsSystemFileSystemType(TopmostAt(holder->MountPoint).Type);
}

// What is seen at a mount point: the file system mounted there last, which
// covers those mounted there before it.
const MountedFileSystem& ProtectedPlaces::TopmostAt(const std::string& mountPoint) const {
    const MountedFileSystem* topmost = nullptr;
    for (const auto& mount : mounts_) {
        if (mount.MountPoint == mountPoint) {
            topmost = &mount;
        }
    }
    return *topmost;
}

std::optional<Protection> ProtectedPlaces::ByPath(const std::string& path) {
    return ByPath(path, true);
}

std::optional<Protection> ProtectedPlaces::ByPath(const std::string& path, bool byOwnContent) {
    const std::vector<std::string> folders = FoldersDownTo(path);
    for (std::size_t i = 0; i + 1 < folders.size(); ++i) {
        if (const auto seal = FactsOf(folders[i]).Seal) {
            return Protection{*seal, {}};
        }
    }
    if (const auto seal = byOwnContent ? FactsOf(path).Seal : SealByPlace(path)) {
        return Protection{*seal, {}};
    }
    for (std::size_t i = 0; i + 1 < folders.size(); ++i) {
        const std::string& workTree = folders[i];
        const std::string_view relative = std::string_view(path).substr(BelowStart(workTree));
        for (const auto& submodule : FactsOf(workTree).Submodules) {
            if (submodule == relative) {
                return Protection{ProtectionKind::Submodule, {}};
            }
        }
    }
    return std::nullopt;
}

std::vector<std::string> ProtectedPlaces::SubmodulesBelowFrom(const std::string& folder) {
    std::vector<std::string> below;
    const std::vector<std::string> folders = FoldersDownTo(folder);
    for (std::size_t i = 0; i + 1 < folders.size(); ++i) {
        for (const auto& submodule : FactsOf(folders[i]).Submodules) {
            const std::string path = Child(folders[i], submodule);
            if (path.size() > folder.size() && IsAtOrBelow(path, folder)) {
                below.push_back(path.substr(BelowStart(folder)));
            }
        }
    }
    return below;
}

std::optional<Protection> ProtectedPlaces::OfFolder(const std::string& listed) {
    // The folders above it are resolved, each once for a whole list; the
    // folder itself is not followed if it is a link, as its removal is not.
    const std::size_t separator = listed.find_last_of(PathSeparators);
    const std::string root = RootOf(listed);
    const std::string above = separator == std::string::npos ? "."
                              : separator < root.size()      ? root
                                                             : listed.substr(0, separator);
    auto known = resolved_.find(above);
    if (known == resolved_.end()) {
        known = resolved_.emplace(above, CanonicalPath(above)).first;
    }
    if (!IsAbsolutePath(known->second)) {
        return std::nullopt;
    }
    const std::string path = Child(known->second, NameOf(listed));
    // What the folder holds does not count: a folder that holds a file is
    // never removed anyway.
    if (auto protection = ByPath(path, false)) {
        return protection;
    }
    if (const auto status = StatusAt(CurrentFolder, path.c_str()); status && status->MountRoot) {
        return Protection{ProtectionKind::MountPoint, {}};
    }
    if (OnSystemFileSystem(path)) {
        return Protection{ProtectionKind::SystemFileSystem, {}};
    }
    return ByPlace(path);
}

const ProtectedPlaces::FolderFacts& ProtectedPlaces::FactsOf(const std::string& folder) {
    if (const auto known = facts_.find(folder); known != facts_.end()) {
        return known->second;
    }
    FolderFacts facts;
    facts.Seal = SealByPlace(folder);
    if (!facts.Seal && IsFileAt(Child(folder, "HEAD")) && IsFolderAt(Child(folder, "objects")) &&
        IsFolderAt(Child(folder, "refs"))) {
        facts.Seal = ProtectionKind::VersionControl;
    }
    if (!facts.Seal && IsFileAt(Child(folder, "PG_VERSION"))) {
        facts.Seal = ProtectionKind::Database;
    }
    if (!facts.Seal && IsFileAt(Child(folder, GitModulesName)) && Exists(Child(folder, ".git"))) {
        facts.Submodules = ReadSubmodules(folder);
    }
    return facts_.emplace(folder, std::move(facts)).first->second;
}

std::vector<std::string> SubmodulesNamedIn(NativeHandle folder) {
    try {
        if (const auto text = ReadRegularFileBelow(folder, GitModulesName, GitModulesLimit)) {
            // Written with "/" whatever the system; compared with paths built here.
            std::vector<std::string> paths = SubmodulePaths(*text);
            for (auto& path : paths) {
                std::replace(path.begin(), path.end(), '/', PathSeparator);
            }
            return paths;
        }
    } catch (const IOError&) {
        // A .gitmodules that cannot be read names no submodule.
    }
    return {};
}

void SubmodulePlaces::Add(const std::string& workTree, const std::vector<std::string>& paths) {
    const std::lock_guard lock(mutex_);
    for (const auto& path : paths) {
        std::string relative = workTree;
        if (!relative.empty()) {
            relative += PathSeparator;
        }
        relative += path;
        paths_.insert(std::move(relative));
    }
}

bool SubmodulePlaces::Contains(std::string_view relativePath) const {
    const std::lock_guard lock(mutex_);
    return paths_.contains(std::string(relativePath));
}

} // namespace hollowsweep
