#include "core/platform/WholeFile.h"

#include "core/errors/Errors.h"
#include "core/platform/FileDescriptor.h"
#include "core/platform/FileReplacement.h"

#include <cerrno>
#include <fcntl.h>
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
