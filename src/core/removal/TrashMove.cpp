#include "core/removal/TrashMove.h"

#include "core/platform/FileDescriptor.h"
#include "core/platform/FolderPaths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace hollowsweep {

namespace {

constexpr int ListingFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr int HandleFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Whether the path, its last step not followed, leads to the folder.
bool PathLeadsTo(const std::string& path, const FolderIdentity& folder) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           FolderIdentity::Of(status) == folder;
}

// Whether the folder open as fd lies in the folder open as parentFd.
bool LiesIn(int fd, int parentFd) {
    struct stat status {};
    return ::fstatat(fd, "..", &status, 0) == 0 &&
           FolderIdentity::Of(status) == IdentityOf(parentFd);
}

std::string TrashPath(int parentFd, const char* name, const std::string& spelled) {
    auto path = PathOfOpenFolder(parentFd);
    if (!path) {
        return spelled;
    }
    if (path->back() != '/') {
        *path += '/';
    }
    *path += name;
    return std::move(*path);
}

} // namespace

RemovalResult CheckForTrash(int parentFd, const char* name, FolderIdentity& identity,
                            const ScanRules& rules, DirectoryReader& reader,
                            const GoesAlongFunction& goesAlong) {
    const FileDescriptor folder(::openat(parentFd, name, ListingFlags));
    if (!folder) {
        return OpenFailure(errno);
    }
    const FolderIdentity found = IdentityOf(folder.Get());
    if (!found.Known() || (identity.Known() && found != identity)) {
        return {RemovalOutcome::Changed, 0};
    }
    identity = found;
    bool onlyWhatGoes = true;
    const int error = reader.ReadEntries(folder.Get(), [&](std::string_view entry, EntryKind kind) {
        const bool goes = kind == EntryKind::Folder
                              ? goesAlong && goesAlong(entry)
                              : kind == EntryKind::File && rules.IsJunkFile(entry.data());
        onlyWhatGoes = onlyWhatGoes && goes;
    });
    if (error != 0) {
        return {RemovalOutcome::Failed, error};
    }
    if (!onlyWhatGoes) {
        return {RemovalOutcome::NotEmpty, ENOTEMPTY};
    }
    return {RemovalOutcome::Removed, 0};
}

RemovalResult HandToTrash(int parentFd, const char* name, const FolderIdentity& folder,
                          const std::string& spelled, const MoveToTrashFunction& moveToTrash,
                          std::string& reason) {
    const FileDescriptor held(::openat(parentFd, name, HandleFlags));
    if (!held) {
        return OpenFailure(errno);
    }
    if (IdentityOf(held.Get()) != folder) {
        return {RemovalOutcome::Changed, 0};
    }
    const std::string path = TrashPath(parentFd, name, spelled);
    if (!PathLeadsTo(path, folder)) {
        return {RemovalOutcome::Changed, 0};
    }
    if (auto refusal = moveToTrash(path)) {
        reason = std::move(*refusal);
        return {RemovalOutcome::NotTrashed, 0};
    }
    if (LiesIn(held.Get(), parentFd)) {
        return {RemovalOutcome::Changed, 0};
    }
    return {RemovalOutcome::Removed, 0};
}

} // namespace hollowsweep
