#pragma once

#include <utility>

namespace hollowsweep {

// Owns one open Windows handle and closes it when it goes.
class FileHandle {
public:
    FileHandle() noexcept = default;
    explicit FileHandle(void* handle) noexcept
        : handle_(handle) {}
    FileHandle(FileHandle&& other) noexcept
        : handle_(other.Release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Reset(); }

    void* Get() const noexcept { return handle_; }
    bool Valid() const noexcept { return handle_ != nullptr; }
    explicit operator bool() const noexcept { return Valid(); }
    void* Release() noexcept { return std::exchange(handle_, nullptr); }
    void Reset(void* handle = nullptr) noexcept;

private:
    void* handle_ = nullptr;
};

} // namespace hollowsweep
