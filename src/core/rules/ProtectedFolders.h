#pragma once

#include "core/platform/DirectoryReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// The kinds of folder that other programs need even while they hold no file.
// Removing one breaks that program: a repository that is no longer one, a
// mail folder that cannot be read, a server that does not start.
enum class ProtectionKind : std::uint8_t {
    VersionControl,
    Submodule,
    MailFolder,
    Database,
    MountPoint,
    RecoveryFolder,
    Package,
    SystemFileSystem,
};

// Why one folder is kept: its kind, and for a package the package's name.
struct Protection {
    ProtectionKind Kind;
    std::string Package;

    bool operator==(const Protection&) const = default;
};

// Whether everything below a folder of this kind belongs to the program too,
// as a repository's refs do, or only the folder itself, as a mount point.
bool SealsContents(ProtectionKind kind) noexcept;

// The reason the user is shown: "version control data", "belongs to package
// NAME", ...
std::string ProtectionReason(const Protection& protection);

// The kinds recognised by a folder's name alone.
std::optional<ProtectionKind> ProtectionByName(std::string_view name) noexcept;

// The file system types that show the kernel's state rather than hold files:
// never entered unless the user names such a folder.
bool IsSystemFileSystemType(std::string_view type) noexcept;

// What a folder's listing tells about the folder and its sub-folders: fed
// each entry as the listing is read, it costs no system call.
class ListingMarkers {
public:
    // Only folders and regular files count: a link or a device named HEAD
    // marks nothing.
    void Note(std::string_view name, EntryKind kind) noexcept;

    // A git directory of any name: a HEAD file with objects and refs beside it.
    bool IsGitDirectory() const noexcept { return Has(HeadFile | ObjectsFolder | RefsFolder); }
    // A PostgreSQL cluster, or one of its databases.
    bool HoldsDatabase() const noexcept { return Has(VersionFile); }
    // Holds cur, new and tmp: a Maildir, whose three folders are the mail's.
    bool IsMaildir() const noexcept { return Has(CurFolder | NewFolder | TmpFolder); }
    // A git work tree that names submodules.
    bool NamesSubmodules() const noexcept { return Has(ModulesFile | GitEntry); }

    // The protection the listing gives the folder itself.
    std::optional<ProtectionKind> OwnProtection() const noexcept;

    static bool IsMaildirFolderName(std::string_view name) noexcept;

private:
    enum : std::uint16_t {
        HeadFile = 1,
        ObjectsFolder = 2,
        RefsFolder = 4,
        VersionFile = 8,
        CurFolder = 16,
        NewFolder = 32,
        TmpFolder = 64,
        ModulesFile = 128,
        GitEntry = 256,
    };
    bool Has(std::uint16_t marks) const noexcept { return (seen_ & marks) == marks; }

    std::uint16_t seen_ = 0;
};

// The submodule paths a .gitmodules text names, relative to its work tree.
// Read leniently: what does not parse, or would lead outside the work tree,
// names nothing.
std::vector<std::string> SubmodulePaths(std::string_view gitmodules);

// The name .gitmodules is read under, and how much of it: a larger one names
// no submodule.
inline constexpr const char* GitModulesName = ".gitmodules";
inline constexpr std::size_t GitModulesLimit = std::size_t{1} << 20;

} // namespace hollowsweep
