#pragma once

#include <utility>

namespace hollowsweep {

// Owns one open file descriptor and closes it when it goes.
class FileDescriptor {
public:
    FileDescriptor() noexcept = default;
    explicit FileDescriptor(int fd) noexcept
        : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept
        : fd_(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Reset(); }

    int Get() const noexcept { return fd_; }
    bool Valid() const noexcept { return fd_ >= 0; }
    explicit operator bool() const noexcept { return Valid(); }
    int Release() noexcept { return std::exchange(fd_, -1); }
    void Reset(int fd = -1) noexcept;

private:
    int fd_ = -1;
};

} // namespace hollowsweep
