#include "core/platform/FolderPaths.h"

#include "core/errors/Errors.h"
#include "core/product/Messages.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <linux/openat2.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace hollowsweep {

namespace {

constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
// One call's path stays below the system's limit, with room for the terminator.
constexpr std::size_t PieceLimit = PATH_MAX - 1;

FileDescriptor OpenOnePiece(int base, const std::string& piece, LinkPolicy links) {
    if (links == LinkPolicy::Follow) {
        return FileDescriptor(::openat(base, piece.c_str(), FolderFlags));
    }
    open_how how{};
    how.flags = FolderFlags | O_NOFOLLOW;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, base, piece.c_str(), &how, sizeof how);
    if (fd >= 0 || errno != ENOSYS) {
        return FileDescriptor(static_cast<int>(fd));
    }
    // Kernels before openat2: one component at a time, none of them a link.
    FileDescriptor current;
    int at = base;
    for (std::size_t start = 0; start < piece.size();) {
        std::size_t end = piece.find('/', start);
        if (end == std::string::npos) {
            end = piece.size();
        }
        if (end > start) {
            const std::string name = piece.substr(start, end - start);
            FileDescriptor next(::openat(at, name.c_str(), FolderFlags | O_NOFOLLOW));
            if (!next) {
                return next;
            }
            current = std::move(next);
            at = current.Get();
        }
        start = end + 1;
    }
    return current ? std::move(current) : FileDescriptor(::openat(base, ".", FolderFlags));
}

// The longest leading piece of path, cut after a separator, that one call accepts.
std::size_t PieceLength(std::string_view path) {
    if (path.size() <= PieceLimit) {
        return path.size();
    }
    const std::size_t cut = path.rfind('/', PieceLimit);
    return cut == std::string_view::npos || cut == 0 ? PieceLimit : cut;
}

constexpr int StepFlags = O_PATH | O_NOFOLLOW | O_CLOEXEC;
// As many links as the system itself follows on one path.
constexpr int LinkLimit = 40;

// Walks path a name at a time through descriptors, reading each link from the
// very descriptor whose owner was judged, so that swapping a link in between
// changes nothing. On another user's link, sets foreign (when given) to the
// link as reached and fails with EPERM.
FileDescriptor OpenThroughOwnedLinks(int base, std::string_view path, std::string* foreign) {
    if (path.empty()) {
        errno = ENOENT;
        return {};
    }
    const uid_t caller = ::geteuid();
    std::string reached = path.starts_with('/') ? "/" : "";
    FileDescriptor at(::openat(base, reached.empty() ? "." : "/", StepFlags | O_DIRECTORY));
    std::string rest(path);
    int links = 0;
    while (at) {
        const std::size_t begin = rest.find_first_not_of('/');
        if (begin == std::string::npos) {
            return FileDescriptor(::openat(at.Get(), ".", FolderFlags));
        }
        const std::size_t end = std::min(rest.find('/', begin), rest.size());
        const std::string name = rest.substr(begin, end - begin);
        rest.erase(0, end);
        FileDescriptor next(::openat(at.Get(), name.c_str(), StepFlags));
        struct stat status {};
        if (!next || ::fstat(next.Get(), &status) != 0) {
            return {};
        }
        std::string spelled = reached;
        if (!spelled.empty() && !spelled.ends_with('/')) {
            spelled += '/';
        }
        spelled += name;
        if (!S_ISLNK(status.st_mode)) {
            at = std::move(next);
            reached = std::move(spelled);
            continue;
        }
        if (status.st_uid != 0 && status.st_uid != caller) {
            if (foreign != nullptr) {
                *foreign = spelled;
            }
            errno = EPERM;
            return {};
        }
        if (++links > LinkLimit) {
            errno = ELOOP;
            return {};
        }
        const auto target = ReadLinkAt(next.Get(), "");
        if (!target) {
            return {};
        }
        if (target->starts_with('/')) {
            at = FileDescriptor(::open("/", StepFlags | O_DIRECTORY));
            reached = "/";
        }
        rest.insert(0, *target + '/');
    }
    return {};
}

} // namespace

OwnedHandle OpenFolderAt(NativeHandle base, std::string_view path, LinkPolicy links) {
    if (links == LinkPolicy::FollowOwned) {
        return OpenThroughOwnedLinks(base, path, nullptr);
    }
    FileDescriptor current;
    int at = base;
    do {
        const std::size_t length = PieceLength(path);
        FileDescriptor next = OpenOnePiece(at, std::string(path.substr(0, length)), links);
        if (!next) {
            return next;
        }
        current = std::move(next);
        at = current.Get();
        path.remove_prefix(length);
        while (!path.empty() && path.front() == '/') {
            path.remove_prefix(1);
        }
    } while (!path.empty());
    return current;
}

OwnedHandle OpenSubFolder(NativeHandle parent, const char* name) {
    return FileDescriptor(::openat(parent, name, FolderFlags | O_NOFOLLOW));
}

OwnedHandle OpenFolderToReach(const std::string& path) {
    return FileDescriptor(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

std::string CanonicalPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

std::optional<std::string> PathOfOpenFolder(NativeHandle folder) {
    const std::string own = "/proc/self/fd/" + std::to_string(folder);
    auto path = ReadLinkAt(AT_FDCWD, own.c_str());
    // A folder removed meanwhile is named with a suffix that no path has.
    if (!path || !path->starts_with('/') || path->ends_with(" (deleted)")) {
        return std::nullopt;
    }
    return path;
}

std::string CanonicalPathOf(NativeHandle folder, const std::string& spelled) {
    auto path = PathOfOpenFolder(folder);
    return path ? std::move(*path) : CanonicalPath(spelled);
}

std::string StoredFolderPath(std::string_view folder) {
    const std::size_t end = folder.find_last_not_of('/');
    if (end == std::string_view::npos) {
        return folder.empty() ? std::string() : std::string("/");
    }
    return std::string(folder.substr(0, end + 1));
}

std::string RootOf(std::string_view /*path*/) {
    return "/";
}

bool IsAbsolutePath(std::string_view path) noexcept {
    return path.starts_with('/');
}

bool IsAtOrBelow(std::string_view path, std::string_view folder) noexcept {
    if (folder.empty() || !path.starts_with(folder)) {
        return false;
    }
    return path.size() == folder.size() || folder.back() == '/' || path[folder.size()] == '/';
}

bool StepsThroughDots(std::string_view path) {
    const std::string padded = "/" + std::string(path) + "/";
    return padded.find("/./") != std::string::npos || padded.find("/../") != std::string::npos;
}

std::optional<std::string> ReadLinkAt(NativeHandle at, const char* name) {
    std::string text(PATH_MAX, '\0');
    for (;;) {
        const ssize_t length = ::readlinkat(at, name, text.data(), text.size());
        if (length < 0) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

bool IsExistingFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::optional<std::string> WhyNotAFolder(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return SystemErrorText(errno);
    }
    if (!S_ISDIR(status.st_mode)) {
        return Tr("not a folder");
    }
    return std::nullopt;
}

std::optional<std::string> LinkOfAnotherUserOn(const std::string& path) {
    std::string foreign;
    if (!OpenThroughOwnedLinks(AT_FDCWD, path, &foreign) && !foreign.empty()) {
        return foreign;
    }
    return std::nullopt;
}

std::size_t RaiseOpenFileLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return 1024;
    }
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
            limit = raised;
        }
    }
    return limit.rlim_cur == RLIM_INFINITY ? 1U << 20 : static_cast<std::size_t>(limit.rlim_cur);
}

} // namespace hollowsweep
