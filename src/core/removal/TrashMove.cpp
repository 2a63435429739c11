#include "core/removal/TrashMove.h"

#include "core/platform/FileDescriptor.h"
#include "core/removal/JunkFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace hollowsweep {

namespace {

constexpr int ListingFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Whether the path, its last step not followed, leads to the folder.
bool PathLeadsTo(const std::string& path, const FolderIdentity& folder) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           FolderIdentity::Of(status) == folder;
}

} // namespace

RemovalResult MoveFolderToTrash(int parentFd, const char* name, const std::string& path,
                                const FolderIdentity& expected, const ScanRules& rules,
                                DirectoryReader& reader, const MoveToTrashFunction& moveToTrash) {
    if (rules.HasJunk()) {
        const RemovalResult cleared = RemoveJunkFiles(parentFd, name, expected, rules, reader);
        if (cleared.Outcome != RemovalOutcome::Removed) {
            return cleared;
        }
    }
    const FileDescriptor folder(::openat(parentFd, name, ListingFlags));
    if (!folder) {
        return OpenFailure(errno);
    }
    const FolderIdentity identity = IdentityOf(folder.Get());
    if (!identity.Known() || (expected.Known() && identity != expected)) {
        return {RemovalOutcome::Changed, 0};
    }
    bool empty = true;
    if (const int error = reader.ReadEntries(folder.Get(), [&](auto, auto) { empty = false; })) {
        return {RemovalOutcome::Failed, error};
    }
    if (!empty) {
        return {RemovalOutcome::NotEmpty, ENOTEMPTY};
    }
    if (!PathLeadsTo(path, identity)) {
        return {RemovalOutcome::Changed, 0};
    }
    return moveToTrash(path) ? RemovalResult{RemovalOutcome::Removed, 0}
                             : RemovalResult{RemovalOutcome::NotTrashed, 0};
}

} // namespace hollowsweep
