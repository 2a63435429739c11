#include "core/removal/TrashMove.h"

#include "core/platform/EntryStatus.h"
#include "core/platform/FolderEntries.h"
#include "core/platform/FolderPaths.h"

#include <cerrno>

namespace hollowsweep {

namespace {

// Whether the path, its last step not followed, leads to the folder.
bool PathLeadsTo(const std::string& path, const FolderIdentity& folder) {
    const auto status = StatusAt(CurrentFolder, path.c_str());
    return status && status->IsFolder && status->Identity == folder;
}

// Whether the open folder lies in the open folder parent.
bool LiesIn(NativeHandle folder, NativeHandle parent) {
    const auto status = StatusAt(folder, "..");
    return status && status->Identity == IdentityOf(parent);
}

std::string TrashPath(NativeHandle parent, const char* name, const std::string& spelled) {
    auto path = PathOfOpenFolder(parent);
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

RemovalResult CheckForTrash(NativeHandle parent, const char* name, FolderIdentity& identity,
                            const ScanRules& rules, DirectoryReader& reader,
                            const GoesAlongFunction& goesAlong) {
    const OwnedHandle folder = OpenSubFolder(parent, name);
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

RemovalResult HandToTrash(NativeHandle parent, const char* name, const FolderIdentity& folder,
                          const std::string& spelled, const MoveToTrashFunction& moveToTrash,
                          std::string& reason) {
    const OwnedHandle held = OpenFolderHandle(parent, name);
    if (!held) {
        return OpenFailure(errno);
    }
    if (IdentityOf(held.Get()) != folder) {
        return {RemovalOutcome::Changed, 0};
    }
    const std::string path = TrashPath(parent, name, spelled);
    if (!PathLeadsTo(path, folder)) {
        return {RemovalOutcome::Changed, 0};
    }
    if (auto refusal = moveToTrash(path)) {
        reason = std::move(*refusal);
        return {RemovalOutcome::NotTrashed, 0};
    }
    if (LiesIn(held.Get(), parent)) {
        return {RemovalOutcome::Changed, 0};
    }
    return {RemovalOutcome::Removed, 0};
}

} // namespace hollowsweep
