#include "core/platform/FileHandle.h"

#include "core/platform/NativeHandle.h"
#include "core/platform/SystemErrorCodes.h"

#include <cerrno>
#include <windows.h>

namespace hollowsweep {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        Reset(other.Release());
    }
    return *this;
}

void FileHandle::Reset(void* handle) noexcept {
    if (handle_ != nullptr) {
        ::CloseHandle(handle_);
    }
    handle_ = handle;
}

FileHandle Duplicate(void* handle) noexcept {
    HANDLE copy = nullptr;
    if (::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                          DUPLICATE_SAME_ACCESS) == 0) {
        errno = LastErrno();
        return {};
    }
    return FileHandle(copy);
}

} // namespace hollowsweep
