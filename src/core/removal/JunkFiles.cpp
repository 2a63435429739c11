#include "core/removal/JunkFiles.h"

#include "core/platform/EntryStatus.h"
#include "core/platform/FolderEntries.h"
#include "core/platform/FolderPaths.h"

#include <cerrno>
#include <string>
#include <vector>

namespace hollowsweep {

namespace {

// The junk files of a listing, or nothing when something else is there too.
bool ListJunk(NativeHandle folder, const ScanRules& rules, DirectoryReader& reader,
              std::vector<std::string>& junk, int& error) {
    bool onlyJunk = true;
    error = reader.ReadEntries(folder, [&](std::string_view name, EntryKind kind) {
        if (kind == EntryKind::File && rules.IsJunkFile(name.data())) {
            junk.emplace_back(name);
        } else {
            onlyJunk = false;
        }
    });
    return onlyJunk && error == 0;
}

} // namespace

RemovalResult RemoveJunkFiles(NativeHandle parent, const char* name, const FolderIdentity& expected,
                              const ScanRules& rules, DirectoryReader& reader) {
    const OwnedHandle folder = OpenSubFolder(parent, name);
    if (!folder) {
        return OpenFailure(errno);
    }
    if (expected.Known() && IdentityOf(folder.Get()) != expected) {
        return {RemovalOutcome::Changed, 0};
    }
    std::vector<std::string> junk;
    int error = 0;
    if (!ListJunk(folder.Get(), rules, reader, junk, error)) {
        return error != 0 ? RemovalResult{RemovalOutcome::Failed, error}
                          : RemovalResult{RemovalOutcome::NotEmpty, ENOTEMPTY};
    }
    for (const auto& file : junk) {
        // A file replaced by a link or a folder since the listing stays.
        const auto status = StatusAt(folder.Get(), file.c_str());
        if (!status) {
            if (errno == ENOENT) {
                continue;
            }
            return {RemovalOutcome::Failed, errno};
        }
        if (!status->IsRegularFile) {
            return {RemovalOutcome::NotEmpty, ENOTEMPTY};
        }
        if (!RemoveFileAt(folder.Get(), file.c_str()) && errno != ENOENT) {
            return {RemovalOutcome::Failed, errno};
        }
    }
    return {RemovalOutcome::Removed, 0};
}

} // namespace hollowsweep
