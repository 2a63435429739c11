#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// What a scan and a removal leave out or look through, beyond the plain rule
// that a folder is empty when it holds no file at any depth. In a default-made
// set only the protection of folders other programs need is on; with it off
// too, nothing differs from the plain rule.
struct ScanRules {
    // Folders below a starting folder that are never entered and count as
    // content for the folder holding them. Shell patterns, matched
    // case-sensitively: one without a separator against the folder's name,
    // one with a separator against its whole path, where "*" crosses "/".
    std::vector<std::string> ExcludedFolders;
    // Names of regular files that do not count as content, matched the same
    // way; only such files may ever be removed, and only to remove their folder.
    std::vector<std::string> JunkFiles;
    // A folder on another file system than its starting folder, or on which
    // another file system is mounted, is not entered and counts as content.
    bool OneFileSystem = false;
    // A folder modified less than this long ago counts as content; zero is off.
    std::chrono::seconds MinimumAge{0};
    // Folders that other programs need (see ProtectedFolders.h) are never
    // listed or removed, and count as content.
    bool ProtectFolders = true;

    bool operator==(const ScanRules&) const = default;

    // Whether a name pattern excludes a folder of this name.
    bool IsExcludedFolder(const char* name) const;
    // Whether a path pattern excludes the folder at this absolute path.
    bool IsExcludedPath(const char* path) const;
    bool IsJunkFile(const char* name) const;
    bool HasExclusions() const noexcept { return !ExcludedFolders.empty(); }
    bool HasPathExclusions() const noexcept;
    bool HasJunk() const noexcept { return !JunkFiles.empty(); }
    bool HasMinimumAge() const noexcept { return MinimumAge.count() > 0; }
    // Whether some folders may be kept out of a walk, so that a folder given
    // inside another one may not be reached from it.
    bool KeepsOutFolders() const noexcept { return HasExclusions() || OneFileSystem; }
    // Whether a rule beyond the default protection is set.
    bool Any() const noexcept {
        return HasExclusions() || HasJunk() || OneFileSystem || HasMinimumAge();
    }
};

// The files that desktops leave in folders on their own: thumbnails caches and
// folder settings of Windows and macOS.
std::span<const std::string_view> CommonJunkFiles() noexcept;

// A time in nanoseconds since the epoch, as file times are read here.
using FileTime = std::int64_t;

FileTime FileTimeNow() noexcept;

// The latest modification time a folder may have and still be old enough
// under the rules, for a scan or removal starting at now.
FileTime LatestOldEnough(const ScanRules& rules, FileTime now) noexcept;

// An age as the user writes it: a whole number and a unit, s, m, h or d, as
// "90m" or "7d". Anything else raises ConversionError.
std::chrono::seconds ParseAge(std::string_view text);
// The shortest text ParseAge reads back as the same age.
std::string FormatAge(std::chrono::seconds age);

} // namespace hollowsweep
