#include "core/platform/WholeFile.h"

#include "core/errors/Errors.h"
#include "core/platform/FileDescriptor.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hollowsweep {

namespace {

// Closing reports late write errors (for example on network file systems).
void CloseChecked(FileDescriptor& fd, const std::string& path) {
    if (::close(fd.Release()) != 0) {
        throw IOError(path, errno, "cannot write");
    }
}

std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Removes the temporary file unless the rename has consumed it.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path)
        : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    const std::string& Path() const noexcept { return path_; }
    void Keep() noexcept { path_.clear(); }

private:
    std::string path_;
};

// The new file keeps the old one's permission bits, so a save does not widen
// or narrow who may read the configuration.
mode_t ModeFor(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0666;
}

} // namespace

void WriteAll(const FileDescriptor& fd, std::string_view text, const std::string& path) {
    while (!text.empty()) {
        const ssize_t bytes = ::write(fd.Get(), text.data(), text.size());
        if (bytes < 0 && errno == EINTR) {
            continue;
        }
        if (bytes < 0) {
            throw IOError(path, errno, "cannot write");
        }
        text.remove_prefix(static_cast<std::size_t>(bytes));
    }
}

std::string ReadWholeFile(const std::string& path) {
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        throw IOError(path, errno, "cannot open");
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t bytes = ::read(fd.Get(), buffer, sizeof buffer);
        if (bytes < 0 && errno == EINTR) {
            continue;
        }
        if (bytes < 0) {
            throw IOError(path, errno, "cannot read");
        }
        if (bytes == 0) {
            return text;
        }
        text.append(buffer, static_cast<std::size_t>(bytes));
    }
}

void ReplaceWholeFile(const std::string& path, std::string_view text) {
    TemporaryFile temporary(TemporaryNameFor(path));
    FileDescriptor fd(
        ::open(temporary.Path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ModeFor(path)));
    if (!fd) {
        throw IOError(temporary.Path(), errno, "cannot create");
    }
    WriteAll(fd, text, path);
    if (::fsync(fd.Get()) != 0) {
        throw IOError(path, errno, "cannot write");
    }
    CloseChecked(fd, path);
    if (::rename(temporary.Path().c_str(), path.c_str()) != 0) {
        throw IOError(path, errno, "cannot replace");
    }
    temporary.Keep();
}

bool FileExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

void MakeFolders(const std::string& path) {
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string prefix = path.substr(0, end);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            throw IOError(prefix, errno, "cannot create folder");
        }
        if (end == std::string::npos) {
            return;
        }
    }
}

} // namespace hollowsweep
