#include "core/platform/FileReplacement.h"

#include "core/errors/Errors.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hollowsweep {

namespace {

std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// A link is written through, as before: replacing it would put a file where
// the link was, /dev/stdout for one.
bool IsWrittenDirectly(const std::string& target) {
    struct stat status {};
    return ::lstat(target.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

// The new file keeps the old one's permission bits, so a save does not widen
// or narrow who may read it.
mode_t ModeFor(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0666;
}

// Closing reports late write errors (for example on network file systems).
void CloseChecked(FileDescriptor& fd, const std::string& path) {
    if (::close(fd.Release()) != 0) {
        throw IOError(path, errno, "cannot write");
    }
}

} // namespace

FileReplacement::FileReplacement(std::string target)
    : target_(std::move(target))
    , direct_(IsWrittenDirectly(target_)) {
    path_ = direct_ ? target_ : TemporaryNameFor(target_);
}

FileReplacement::~FileReplacement() {
    if (!direct_ && !committed_) {
        ::unlink(path_.c_str());
    }
}

FileDescriptor FileReplacement::Create() {
    FileDescriptor fd(
        direct_ ? ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)
                : ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ModeFor(target_)));
    if (!fd) {
        throw IOError(target_, errno, "cannot create");
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
    if (::rename(path_.c_str(), target_.c_str()) != 0) {
        throw IOError(target_, errno, "cannot replace");
    }
    committed_ = true;
}

} // namespace hollowsweep
