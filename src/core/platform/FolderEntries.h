#pragma once

#include "core/platform/FolderIdentity.h"
#include "core/platform/NativeHandle.h"

#include <string>

namespace hollowsweep {

// What a removal does to the entries of a folder it holds open: each entry is
// named relative to that folder's handle, one component, and never reached
// through a link. Failures leave errno set.

// Opens the folder name in parent only to hold and name it: no right to read
// it is needed, and a link there is refused. ".." names parent's own parent.
OwnedHandle OpenFolderHandle(NativeHandle parent, const char* name);

// True when the entry name in folder is a symbolic link.
bool IsLinkAt(NativeHandle folder, const char* name) noexcept;

// True when path itself, not what it leads to, is a symbolic link.
bool IsLink(const std::string& path) noexcept;

// Removes the folder name from parent when it holds nothing. Where the system
// removes through a handle (Windows), the folder opened must be expected,
// when that is known, and no reparse point; a refusal because something else
// has the name now is ENOTDIR. Linux removes by name: its callers check the
// identity through the parent's handle right before.
bool RemoveEmptyFolderAt(NativeHandle parent, const char* name,
                         const FolderIdentity& expected) noexcept;

// Removes the file name from folder: never a folder, never what a link leads to.
bool RemoveFileAt(NativeHandle folder, const char* name) noexcept;

} // namespace hollowsweep
