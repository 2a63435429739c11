#include "core/platform/EntryStatus.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace hollowsweep {

namespace {

std::optional<EntryStatus> Query(NativeHandle at, const char* name, int flags) noexcept {
    struct statx status {};
    if (::statx(at, name, flags | AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_INO | STATX_MTIME,
                &status) != 0) {
        return std::nullopt;
    }
    EntryStatus result;
    // The same numbers stat gives, so identities compare with those taken by fstat.
    result.Identity = {
        static_cast<std::uint64_t>(makedev(status.stx_dev_major, status.stx_dev_minor)),
        static_cast<std::uint64_t>(status.stx_ino)};
    result.Modified =
        status.stx_mtime.tv_sec * std::int64_t{1'000'000'000} + status.stx_mtime.tv_nsec;
    result.MountRoot = (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
                       (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    result.IsFolder = S_ISDIR(status.stx_mode);
    result.IsRegularFile = S_ISREG(status.stx_mode);
    return result;
}

} // namespace

std::optional<EntryStatus> StatusOf(NativeHandle handle) noexcept {
    return Query(handle, "", AT_EMPTY_PATH);
}

std::optional<EntryStatus> StatusAt(NativeHandle folder, const char* name) noexcept {
    // A folder that is only where something would be mounted on first use is
    // left as it is: looking is no use of it.
    return Query(folder, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT);
}

} // namespace hollowsweep
