#include "core/platform/FolderEntries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hollowsweep {

namespace {
constexpr int HandleFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
} // namespace

OwnedHandle OpenFolderHandle(NativeHandle parent, const char* name) {
    return FileDescriptor(::openat(parent, name, HandleFlags));
}

bool IsLinkAt(NativeHandle folder, const char* name) noexcept {
    struct stat entry {};
    return ::fstatat(folder, name, &entry, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(entry.st_mode);
}

bool IsLink(const std::string& path) noexcept {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

bool RemoveEmptyFolderAt(NativeHandle parent, const char* name,
                         const FolderIdentity& /*expected*/) noexcept {
    return ::unlinkat(parent, name, AT_REMOVEDIR) == 0;
}

bool RemoveFileAt(NativeHandle folder, const char* name) noexcept {
    return ::unlinkat(folder, name, 0) == 0;
}

} // namespace hollowsweep
