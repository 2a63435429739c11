#include "core/platform/WholeFile.h"

#include "core/errors/Errors.h"
#include "core/platform/EntryStatus.h"
#include "core/platform/FileDescriptor.h"
#include "core/platform/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace hollowsweep {

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

namespace {

// Reads until the end, or until the text holds one byte more than limit.
std::string ReadUpTo(const FileDescriptor& fd, const std::string& path, std::size_t limit) {
    std::string text;
    char buffer[65536];
    while (text.size() <= limit) {
        const std::size_t wanted = std::min(sizeof buffer, limit - text.size() + 1);
        const ssize_t bytes = ::read(fd.Get(), buffer, wanted);
        if (bytes < 0 && errno == EINTR) {
            continue;
        }
        if (bytes < 0) {
            throw IOError(path, errno, "cannot read");
        }
        if (bytes == 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(bytes));
    }
    return text;
}

FileDescriptor OpenForReading(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        throw IOError(path, errno, "cannot open");
    }
    return fd;
}

} // namespace

std::string ReadWholeFile(const std::string& path) {
    // One byte short of the largest size, so that "one more" cannot overflow.
    return ReadUpTo(OpenForReading(path), path, std::numeric_limits<std::size_t>::max() - 1);
}

std::string ReadStandardInput() {
    return ReadWholeFile("/dev/stdin");
}

std::optional<std::string> ReadFileWithin(const std::string& path, std::size_t limit) {
    return ReadFileWithin(OpenForReading(path), path, limit);
}

std::optional<std::string> ReadFileWithin(const FileDescriptor& fd, const std::string& path,
                                          std::size_t limit) {
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) {
        throw IOError(path, errno, "cannot read");
    }
    if (S_ISREG(status.st_mode) && static_cast<std::uintmax_t>(status.st_size) > limit) {
        return std::nullopt;
    }
    // A file that is not regular has no size to trust, and a regular one may
    // grow while it is read, so the read itself stops one byte past the limit.
    std::string text = ReadUpTo(fd, path, limit);
    if (text.size() > limit) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> ReadRegularFileBelow(NativeHandle folder, const char* name,
                                                std::size_t limit) {
    const FileDescriptor file(
        ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    const auto status = file ? StatusOf(file.Get()) : std::nullopt;
    if (!status || !status->IsRegularFile) {
        return std::nullopt;
    }
    return ReadFileWithin(file, name, limit);
}

void ReplaceWholeFile(const std::string& path, std::string_view text) {
    FileReplacement replacement(path);
    FileDescriptor fd = replacement.Create();
    WriteAll(fd, text, path);
    if (::close(fd.Release()) != 0) {
        throw IOError(path, errno, "cannot write");
    }
    replacement.Commit();
}

bool FileExists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

int WhyNotWritable(const std::string& path) noexcept {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

int WhyNotSeekable(NativeHandle file) noexcept {
    return ::lseek(file, 0, SEEK_CUR) < 0 ? errno : 0;
}

bool RemoveFile(const std::string& path) noexcept {
    return ::unlink(path.c_str()) == 0;
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
