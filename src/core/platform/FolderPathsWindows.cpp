#include "core/errors/Errors.h"
#include "core/platform/FolderHandle.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WidePath.h"
#include "core/product/Messages.h"

#include <algorithm>
#include <cerrno>
#include <windows.h>

namespace hollowsweep {

namespace {

constexpr ULONG ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD ListAccess =
    FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
// A folder held open for a walk costs the system far more than a descriptor
// does on Linux; this many are plenty for reaching sub-folders cheaply.
constexpr std::size_t HandleLimit = std::size_t{1} << 16;

bool IsSeparator(char c) {
    return PathSeparators.find(c) != std::string_view::npos;
}

DWORD AttributesOf(HANDLE handle) {
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) == 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return basic.FileAttributes;
}

// A folder handle, or none with errno set where it is something else, or a
// reparse point when those are refused.
FileHandle CheckedFolder(FileHandle handle, bool refuseReparsePoints) {
    if (!handle) {
        return handle;
    }
    const DWORD attributes = AttributesOf(handle.Get());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        errno = LastErrno();
        return {};
    }
    if (refuseReparsePoints && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        errno = ELOOP;
        return {};
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        errno = ENOTDIR;
        return {};
    }
    return handle;
}

FileHandle OpenByPath(std::string_view path, DWORD flags) {
    try {
        const std::wstring longPath = LongPath(path);
        HANDLE handle = ::CreateFileW(longPath.c_str(), ListAccess, ShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            errno = LastErrno();
            return {};
        }
        return FileHandle(handle);
    } catch (const ConversionError&) {
        errno = EINVAL;
        return {};
    } catch (const IOError& error) {
        errno = error.Code();
        return {};
    }
}

// The path the system gives for an open handle, in the form a user writes.
std::optional<std::string> FinalPathOf(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(length);
    }
    std::wstring_view shown(path);
    if (shown.starts_with(L"\\\\?\\UNC\\")) {
        return "\\\\" + NarrowText(shown.substr(8));
    }
    if (shown.starts_with(L"\\\\?\\")) {
        shown.remove_prefix(4);
    }
    return NarrowText(shown);
}

} // namespace

OwnedHandle OpenFolderAt(NativeHandle base, std::string_view path, LinkPolicy links) {
    const bool refuse = links == LinkPolicy::Refuse;
    if (base == CurrentFolder) {
        // A starting folder is reached as it was named, reparse points on the
        // way followed unless refused.
        return CheckedFolder(OpenByPath(path, refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0), refuse);
    }
    FileHandle current;
    NativeHandle at = base;
    for (std::size_t start = 0; start < path.size();) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        if (end > start) {
            const std::string name(path.substr(start, end - start));
            FileHandle next = OpenSubFolder(at, name.c_str());
            if (!next) {
                return next;
            }
            current = std::move(next);
            at = current.Get();
        }
        start = end + 1;
    }
    return current ? std::move(current) : Duplicate(base);
}

OwnedHandle OpenSubFolder(NativeHandle parent, const char* name) {
    try {
        return CheckedFolder(OpenFolderBelow(parent, name), true);
    } catch (const ConversionError&) {
        errno = EINVAL;
        return {};
    }
}

OwnedHandle OpenFolderToReach(const std::string& path) {
    return CheckedFolder(OpenByPath(path, 0), false);
}

std::string CanonicalPath(const std::string& path) {
    const FileHandle opened = OpenByPath(path, 0);
    auto final = opened ? FinalPathOf(opened.Get()) : std::nullopt;
    return final ? std::move(*final) : path;
}

std::optional<std::string> PathOfOpenFolder(NativeHandle folder) {
    return FinalPathOf(folder);
}

std::string CanonicalPathOf(NativeHandle folder, const std::string& spelled) {
    auto path = PathOfOpenFolder(folder);
    return path ? std::move(*path) : CanonicalPath(spelled);
}

std::string StoredFolderPath(std::string_view folder) {
    const std::size_t end = folder.find_last_not_of(PathSeparators);
    if (end == std::string_view::npos) {
        return folder.empty() ? std::string() : std::string(1, PathSeparator);
    }
    std::string stored(folder.substr(0, end + 1));
    // Written as Windows writes paths, so that the folders found below it read alike.
    std::replace(stored.begin(), stored.end(), '/', PathSeparator);
    // "C:" alone is the working folder on drive C, not its root.
    if (stored.back() == ':' && end + 1 < folder.size()) {
        stored += PathSeparator;
    }
    return stored;
}

std::string RootOf(std::string_view path) {
    if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) {
        return std::string(path.substr(0, 2)) + PathSeparator;
    }
    if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // "\\server\share\": the server's name and the share's.
        std::size_t end = path.find_first_of(PathSeparators, 2);
        if (end != std::string_view::npos) {
            end = path.find_first_of(PathSeparators, end + 1);
        }
        std::string root(path.substr(0, end));
        return root + PathSeparator;
    }
    return std::string(1, PathSeparator);
}

bool IsAbsolutePath(std::string_view path) noexcept {
    return (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) ||
           (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]));
}

bool IsAtOrBelow(std::string_view path, std::string_view folder) noexcept {
    if (folder.empty() || !path.starts_with(folder)) {
        return false;
    }
    return path.size() == folder.size() || IsSeparator(folder.back()) ||
           IsSeparator(path[folder.size()]);
}

bool StepsThroughDots(std::string_view path) {
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        const std::string_view name = path.substr(start, end - start);
        if (name == "." || name == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool IsExistingFolder(const std::string& path) {
    return static_cast<bool>(OpenFolderToReach(path));
}

std::optional<std::string> WhyNotAFolder(const std::string& path) {
    if (OpenFolderToReach(path)) {
        return std::nullopt;
    }
    if (errno == ENOTDIR) {
        return Tr("not a folder");
    }
    return SystemErrorText(errno);
}

std::optional<std::string> LinkOfAnotherUserOn(const std::string& /*path*/) {
    return std::nullopt;
}

std::size_t RaiseOpenFileLimit() {
    return HandleLimit;
}

} // namespace hollowsweep
