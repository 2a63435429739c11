#include "core/platform/DirectoryReader.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace hollowsweep {

DirectoryReader::DirectoryReader()
    : buffer_(std::make_unique<char[]>(BufferSize)) {}

long DirectoryReader::ReadBatch(NativeHandle folder) noexcept {
    long bytes = 0;
    do {
        bytes = ::getdents64(folder, buffer_.get(), BufferSize);
    } while (bytes < 0 && errno == EINTR);
    return bytes;
}

EntryKind DirectoryReader::KindOf(NativeHandle folder, unsigned char type,
                                  const char* name) noexcept {
    if (type == DT_DIR) {
        return EntryKind::Folder;
    }
    if (type == DT_REG) {
        return EntryKind::File;
    }
    if (type != DT_UNKNOWN) {
        return EntryKind::Other;
    }
    // Some file systems do not fill in the type; ask, without following a link.
    struct stat status {};
    if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return EntryKind::Other;
    }
    if (S_ISDIR(status.st_mode)) {
        return EntryKind::Folder;
    }
    return S_ISREG(status.st_mode) ? EntryKind::File : EntryKind::Other;
}

namespace detail {
RawEntry RawEntryAt(const char* record) noexcept {
    const auto* entry = reinterpret_cast<const struct dirent64*>(record);
    return {entry->d_reclen, entry->d_type, entry->d_name};
}
} // namespace detail

} // namespace hollowsweep
