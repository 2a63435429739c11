#pragma once

#include <utility>

namespace hollowsweep {

// Owns one open file descriptor and closes it when it goes.
class TFileDescriptor {
public:
    TFileDescriptor() noexcept = default;
    explicit TFileDescriptor(int fd) noexcept
        : fd_(fd) {}
    TFileDescriptor(TFileDescriptor&& other) noexcept
        : fd_(other.Release()) {}
    TFileDescriptor& operator=(TFileDescriptor&& other) noexcept;
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() { Reset(); }

    int Get() const noexcept { return fd_; }
    bool Valid() const noexcept { return fd_ >= 0; }
    explicit operator bool() const noexcept { return Valid(); }
    int Release() noexcept { return std::exchange(fd_, -1); }
    void Reset(int fd = -1) noexcept;

private:
    int fd_ = -1;
};

} // namespace hollowsweep
