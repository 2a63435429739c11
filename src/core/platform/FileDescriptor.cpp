#include "core/platform/FileDescriptor.h"

#include <unistd.h>

namespace hollowsweep {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Reset(other.Release());
    }
    return *this;
}

void FileDescriptor::Reset(int fd) noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

} // namespace hollowsweep
