#pragma once

#include "core/platform/NativeHandle.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hollowsweep {

#if defined(_WIN32)
// The separator paths are built with, and those a path may be written with.
inline constexpr char PathSeparator = '\\';
inline constexpr std::string_view PathSeparators = "\\/";
#else
inline constexpr char PathSeparator = '/';
inline constexpr std::string_view PathSeparators = "/";
#endif

enum class LinkPolicy {
    // Links inside the path are followed, as any other program would.
    Follow,
    // Links are followed only when root or the caller owns them, each judged
    // as it is read, so that no one else's link chooses the folder; another
    // user's link fails with EPERM.
    FollowOwned,
    // No component may be a link: a folder replaced by a link is not entered.
    Refuse,
};

// Opens a folder for listing. Paths longer than the system accepts in one call
// are opened a piece at a time. base is an open folder or CurrentFolder.
// Returns an invalid handle and leaves errno set on failure.
OwnedHandle OpenFolderAt(NativeHandle base, std::string_view path, LinkPolicy links);

// Opens the folder name, one component, in the open folder parent for
// listing; a link there is refused, never followed. Returns an invalid handle
// and leaves errno set on failure.
OwnedHandle OpenSubFolder(NativeHandle parent, const char* name);

// Opens a folder by path, links followed, only to reach the entries in it:
// no right to list it is needed. Returns an invalid handle and leaves errno
// set on failure.
OwnedHandle OpenFolderToReach(const std::string& path);

// The path with links, "." and ".." resolved, or the path itself when it
// cannot be resolved.
std::string CanonicalPath(const std::string& path);

// Where the open folder lies now, as the system names it; none when the
// system cannot say.
std::optional<std::string> PathOfOpenFolder(NativeHandle folder);

// Where the open folder lies now, as the system names it; the canonical
// form of spelled when the system cannot say. Unlike a second look-up of a
// path, it cannot name a folder other than the one opened.
std::string CanonicalPathOf(NativeHandle folder, const std::string& spelled);

// The text under which a starting folder's entry is stored: without trailing
// separators, except that a root folder keeps its own ("/", "C:\").
std::string StoredFolderPath(std::string_view folder);

// The root folder an absolute path starts from: "/" on Linux; on Windows
// its drive's root ("C:\") or its share's ("\\server\share\"), or "\" when
// it names neither.
std::string RootOf(std::string_view path);

// True when path starts at a root folder rather than the working folder.
bool IsAbsolutePath(std::string_view path) noexcept;

// True when path, as spelled, is folder or lies below it: "a/b" is at or
// below "a", "ab" is not. Neither path is looked up.
bool IsAtOrBelow(std::string_view path, std::string_view folder) noexcept;

// True when some component of path is "." or "..": such a path does not
// spell where it leads.
bool StepsThroughDots(std::string_view path);

#if !defined(_WIN32)
// What the link name (relative to the folder at, or empty for at itself)
// holds; none, with errno set, when it cannot be read.
std::optional<std::string> ReadLinkAt(NativeHandle at, const char* name);
#endif

// True when path names an existing folder (following links, as a user would).
bool IsExistingFolder(const std::string& path);

// Why path cannot be scanned as a folder: the system's reason when it cannot
// be looked up, "not a folder" when it names something else; none when it
// names a folder. The tool and the window word it alike.
std::optional<std::string> WhyNotAFolder(const std::string& path);

// The first link on path, itself included, that belongs to neither root nor
// the caller; none when there is none, and always none on Windows, whose
// links only an administrator or a developer may make.
std::optional<std::string> LinkOfAnotherUserOn(const std::string& path);

// Raises the soft limit of open descriptors as far as the hard limit allows and
// returns the limit now in force; on Windows, how many handles may be open.
std::size_t RaiseOpenFileLimit();

} // namespace hollowsweep
