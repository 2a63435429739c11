#include "core/platform/FileDescriptor.h"

#include "core/platform/NativeHandle.h"

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

FileDescriptor Duplicate(int handle) noexcept {
    return FileDescriptor(::dup(handle));
}

} // namespace hollowsweep
