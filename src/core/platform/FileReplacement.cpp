#include "core/platform/FileReplacement.h"

#include "core/errors/Errors.h"
#include "core/platform/FolderPaths.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace hollowsweep {

namespace {

// As many links as the kernel follows in one path.
constexpr int MaxLinks = 40;

std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

std::string FolderOf(const std::string& path) {
    const std::size_t separator = path.rfind('/');
    if (separator == std::string::npos) {
        return ".";
    }
    return separator == 0 ? std::string("/") : path.substr(0, separator);
}

// The kernel's rule for links in shared folders (fs.protected_symlinks), kept
// whatever the machine's setting: in a folder anyone may write to and only
// owners may delete from, such as /tmp, a link is followed only for its owner,
// or where the folder's owner owns it too. Another user could otherwise plant
// one that makes this program overwrite a file of the caller's.
void RefuseForeignLink(const std::string& target, const std::string& link,
                       const struct stat& linkStatus) {
    struct stat folder {};
    if (::stat(FolderOf(link).c_str(), &folder) != 0) {
        return;
    }
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    if (shared && linkStatus.st_uid != ::geteuid() && linkStatus.st_uid != folder.st_uid) {
        throw IOError(target, EACCES, "refusing a link another user owns in a shared folder");
    }
}

// A descriptor this process was given, named as /dev/stdout, /dev/fd/N or
// /proc/self/fd/N: written through that descriptor itself, so that the
// output lands where the caller's shell expects it, after what came before.
std::optional<int> InheritedDescriptor(const std::string& path) {
    if (path == "/dev/stdout") {
        return 1;
    }
    if (path == "/dev/stderr") {
        return 2;
    }
    for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.starts_with(prefix)) {
            int fd = -1;
            const char* end = path.data() + path.size();
            const auto [stop, error] = std::from_chars(path.data() + prefix.size(), end, fd);
            if (error == std::errc() && stop == end) {
                return fd;
            }
        }
    }
    return std::nullopt;
}

// A link of /proc names an open file of this process, not a path: what it
// leads to is written where it is.
bool IsProcessLink(const std::string& path) {
    return path.starts_with("/proc/") || path.starts_with("/dev/fd/");
}

std::string LinkTarget(const std::string& target, const std::string& link) {
    const auto text = ReadLinkAt(AT_FDCWD, link.c_str());
    if (!text) {
        throw IOError(target, errno, "cannot create");
    }
    if (text->starts_with('/')) {
        return *text;
    }
    std::string folder = FolderOf(link);
    if (!folder.ends_with('/')) {
        folder += '/';
    }
    return folder + *text;
}

// Where the content goes, found once: the file at the end of the target's
// links, each checked, or the target itself where that is no regular file.
struct Destination {
    std::string Path;
    bool Direct = false;
    bool Exists = false;
    struct stat Status {};
};

Destination Resolve(const std::string& target) {
    Destination destination{target};
    for (int links = 0; links <= MaxLinks; ++links) {
        struct stat status {};
        if (::lstat(destination.Path.c_str(), &status) != 0) {
            return destination;
        }
        if (!S_ISLNK(status.st_mode)) {
            destination.Exists = true;
            destination.Status = status;
            return destination;
        }
        RefuseForeignLink(target, destination.Path, status);
        // A pipe, a terminal or a device behind links is written where it was
        // named: there is nothing to rename over it; and so is what a link of
        // /proc leads to, such as the file a shell sends standard output to.
        struct stat end {};
        if (::stat(destination.Path.c_str(), &end) == 0 &&
            (!S_ISREG(end.st_mode) || IsProcessLink(destination.Path))) {
            destination = {target, true, true, end};
            return destination;
        }
        destination.Path = LinkTarget(target, destination.Path);
    }
    throw IOError(target, ELOOP, "cannot create");
}

// The new file keeps the old one's permission bits, so a save does not widen
// or narrow who may read it; never its set-id and sticky bits, which are no
// part of an export or a configuration.
mode_t ModeFor(const Destination& destination) {
    return destination.Exists ? (destination.Status.st_mode & 0777) : 0666;
}

// The new file takes the old one's place whole: root keeps its owner and
// group, anyone else what the system lets them keep; and its permission bits
// exactly, whatever the umask.
void KeepOwnerAndMode(const FileDescriptor& fd, uid_t owner, gid_t group, mode_t mode) {
    if (::fchown(fd.Get(), owner, group) != 0) {
        [[maybe_unused]] const int kept = ::fchown(fd.Get(), static_cast<uid_t>(-1), group);
    }
    ::fchmod(fd.Get(), mode);
}

// Closing reports late write errors (for example on network file systems).
void CloseChecked(FileDescriptor& fd, const std::string& path) {
    if (::close(fd.Release()) != 0) {
        throw IOError(path, errno, "cannot write");
    }
}

} // namespace

FileReplacement::FileReplacement(std::string target)
    : target_(std::move(target)) {
    if (const auto fd = InheritedDescriptor(target_)) {
        direct_ = true;
        path_ = target_;
        inherited_ = *fd;
        return;
    }
    struct stat status {};
    const bool exists = ::lstat(target_.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) {
        // A pipe another user put in /tmp is theirs to swap for a link.
        RefuseForeignLink(target_, target_, status);
        direct_ = true;
        path_ = target_;
        entry_ = {status.st_dev, status.st_ino};
        return;
    }
    const Destination destination = Resolve(target_);
    direct_ = destination.Direct;
    destination_ = destination.Path;
    path_ = direct_ ? destination.Path : TemporaryNameFor(destination.Path);
    replacesFile_ = destination.Exists;
    owner_ = destination.Status.st_uid;
    group_ = destination.Status.st_gid;
    mode_ = ModeFor(destination);
}

FileReplacement::~FileReplacement() {
    if (!direct_ && !committed_) {
        ::unlink(path_.c_str());
    }
}

OwnedHandle FileReplacement::Create() {
    // A pipe or device named as itself is opened only as the entry seen
    // before, never through a link put in its place meanwhile.
    const int directFlags = O_WRONLY | O_CLOEXEC | (entry_ ? O_NOFOLLOW : O_TRUNC);
    FileDescriptor fd(inherited_ ? ::fcntl(*inherited_, F_DUPFD_CLOEXEC, 0)
                      : direct_
                          ? ::open(path_.c_str(), directFlags)
                          : ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode_));
    if (!fd) {
        throw IOError(target_, errno, "cannot create");
    }
    if (entry_) {
        struct stat opened {};
        if (::fstat(fd.Get(), &opened) != 0 || opened.st_dev != entry_->first ||
            opened.st_ino != entry_->second) {
            throw IOError(target_, ESTALE, "cannot create");
        }
    }
    if (!direct_ && replacesFile_) {
        KeepOwnerAndMode(fd, owner_, group_, mode_);
    }
    return fd;
}

void FileReplacement::Commit() {
    if (direct_) {
        committed_ = true;
        return;
    }
    FileDescriptor fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd || ::fsync(fd.Get()) != 0) {
        throw IOError(target_, errno, "cannot write");
    }
    CloseChecked(fd, target_);
    if (::rename(path_.c_str(), destination_.c_str()) != 0) {
        throw IOError(target_, errno, "cannot replace");
    }
    committed_ = true;
}

} // namespace hollowsweep
