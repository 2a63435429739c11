#include "core/platform/FolderIdentity.h"

#include <sys/stat.h>

namespace hollowsweep {

FolderIdentity FolderIdentity::Of(const struct stat& status) noexcept {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

FolderIdentity IdentityOf(NativeHandle handle) noexcept {
    struct stat status {};
    if (::fstat(handle, &status) != 0) {
        return {};
    }
    return FolderIdentity::Of(status);
}

} // namespace hollowsweep
