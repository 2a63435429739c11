#include "core/errors/Errors.h"
#include "core/platform/FolderDeletion.h"
#include "core/platform/FolderEntries.h"
#include "core/platform/FolderHandle.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WidePath.h"

#include <cerrno>
#include <windows.h>
#include <winternl.h>

namespace hollowsweep {

namespace {

// Enough to name a folder and open what lies in it; no right to list it.
constexpr ACCESS_MASK HoldAccess = FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

DWORD AttributesOf(HANDLE handle) {
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) == 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return basic.FileAttributes;
}

bool SetAttributes(HANDLE handle, DWORD attributes) {
    // Zero times leave the times as they are; no attributes at all is
    // spelled FILE_ATTRIBUTE_NORMAL, as zero leaves them as they are too.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
    return ::SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof basic) != 0;
}

int ErrnoOfStatus(long status) {
    return ErrnoOfWin32Error(::RtlNtStatusToDosError(status));
}

// ".." cannot be opened relative to a handle: the folder's parent is found
// by the path the system gives for it, which its callers prove by identity.
FileHandle OpenParentOf(NativeHandle folder) {
    const auto path = PathOfOpenFolder(folder);
    if (!path) {
        errno = ENOENT;
        return {};
    }
    const std::size_t separator = path->find_last_of(PathSeparators);
    const std::string root = RootOf(*path);
    if (separator == std::string::npos || path->size() <= root.size()) {
        errno = ENOENT;
        return {};
    }
    return OpenFolderToReach(separator < root.size() ? root : path->substr(0, separator));
}

// The entry name in folder opened as itself, a reparse point not followed.
long OpenEntry(NativeHandle folder, const char* name, ACCESS_MASK access, ULONG options,
               FileHandle& opened) {
    try {
        return OpenBelow(folder, name, access, options | FILE_OPEN_FOR_BACKUP_INTENT, opened);
    } catch (const ConversionError&) {
        return static_cast<long>(0xC0000033); // STATUS_OBJECT_NAME_INVALID
    }
}

} // namespace

OwnedHandle OpenFolderHandle(NativeHandle parent, const char* name) {
    if (std::string_view(name) == "..") {
        return OpenParentOf(parent);
    }
    FileHandle folder;
    const long result = OpenEntry(parent, name, HoldAccess, FILE_DIRECTORY_FILE, folder);
    if (result < 0) {
        errno = ErrnoOfStatus(result);
        return {};
    }
    if ((AttributesOf(folder.Get()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        errno = ELOOP;
        return {};
    }
    return folder;
}

bool IsLinkAt(NativeHandle folder, const char* name) noexcept {
    FileHandle entry;
    if (OpenEntry(folder, name, FILE_READ_ATTRIBUTES | SYNCHRONIZE, 0, entry) < 0) {
        return false;
    }
    const DWORD attributes = AttributesOf(entry.Get());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsLink(const std::string& path) noexcept {
    try {
        const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    } catch (...) {
        return false;
    }
}

bool RemoveEmptyFolderAt(NativeHandle parent, const char* name,
                         const FolderIdentity& expected) noexcept {
    try {
        const FolderDeletionResult result = DeleteFolderBelow(parent, name, expected);
        switch (result.Outcome) {
        case FolderDeletion::Removed:
            return true;
        case FolderDeletion::Gone:
            errno = ENOENT;
            return false;
        case FolderDeletion::Replaced:
            errno = ENOTDIR;
            return false;
        case FolderDeletion::NotEmpty:
            errno = ENOTEMPTY;
            return false;
        case FolderDeletion::Failed:
            errno = result.Error;
            return false;
        }
    } catch (...) {
        errno = EINVAL;
    }
    return false;
}

bool RemoveFileAt(NativeHandle folder, const char* name) noexcept {
    FileHandle file;
    const long result =
        OpenEntry(folder, name, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                  FILE_NON_DIRECTORY_FILE, file);
    if (result < 0) {
        errno = ErrnoOfStatus(result);
        return false;
    }
    const DWORD attributes = AttributesOf(file.Get());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        errno = EPERM;
        return false;
    }
    // Windows keeps a read-only file where Linux removes it: the attribute
    // goes first, and comes back should the file stay.
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !SetAttributes(file.Get(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY})) {
        errno = LastErrno();
        return false;
    }
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (::SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition,
                                     sizeof disposition) == 0) {
        errno = LastErrno();
        if (readOnly) {
            SetAttributes(file.Get(), attributes);
        }
        return false;
    }
    return true;
}

} // namespace hollowsweep
