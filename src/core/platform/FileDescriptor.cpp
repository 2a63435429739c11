#include "platform/FileDescriptor.h"

#include <unistd.h>

namespace hollowsweep {

TFileDescriptor& TFileDescriptor::operator=(TFileDescriptor&& other) noexcept {
    if (this != &other) {
        Reset(other.Release());
    }
    return *this;
}

void TFileDescriptor::Reset(int fd) noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

} // namespace hollowsweep
