#pragma once

#include "core/platform/EntryKind.h"
#include "core/platform/FileHandle.h"
#include "core/platform/FolderIdentity.h"

#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// Which file a handle stands for (see FolderIdentity.h).
using FileIdentity = FolderIdentity;

// One entry of a folder's listing, its name in WTF-8 (see WidePath.h).
struct FolderEntry {
    std::string Name;
    EntryKind Kind;
};

// Opens a folder by path for listing and removal; an invalid handle, with
// errno set, on failure. The path's last component is opened as what it is:
// a reparse point there is not followed.
FileHandle OpenFolder(std::string_view path);

// Opens the folder name, one component, relative to the open folder parent,
// without any path look-up that another program could redirect. A reparse
// point is never to be opened this way: the listing says which entries are
// (under Wine, opening a Linux link follows it whatever is asked).
FileHandle OpenFolderBelow(void* parent, std::string_view name);
inline FileHandle OpenFolderBelow(const FileHandle& parent, std::string_view name) {
    return OpenFolderBelow(parent.Get(), name);
}

// Opens name, one component, relative to the open folder parent with the
// access rights and NtCreateFile options given; a reparse point is opened as
// itself, never followed. Returns the NTSTATUS, negative on failure.
long OpenBelow(void* parent, std::string_view name, unsigned long access, unsigned long options,
               FileHandle& opened);
inline long OpenBelow(const FileHandle& parent, std::string_view name, unsigned long access,
                      unsigned long options, FileHandle& opened) {
    return OpenBelow(parent.Get(), name, access, options, opened);
}

// The entries of an open folder but "." and "..": a reparse point (link,
// junction, mount point, cloud placeholder) is Other whatever it leads to,
// judged from its attributes alone. Returns 0, or the errno value of the
// failure that cut the listing short.
int ReadFolder(void* folder, std::vector<FolderEntry>& entries);
inline int ReadFolder(const FileHandle& folder, std::vector<FolderEntry>& entries) {
    return ReadFolder(folder.Get(), entries);
}

// The identity of the file an open handle refers to; none (all zero) when it
// cannot be read.
inline FileIdentity IdentityOf(const FileHandle& file) noexcept {
    return IdentityOf(file.Get());
}

} // namespace hollowsweep
