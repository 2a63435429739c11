#include "core/platform/FolderDeletion.h"

#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WidePath.h"

#include <cerrno>
#include <windows.h>
#include <winternl.h>

namespace hollowsweep {

namespace {

constexpr ACCESS_MASK DeleteAccess =
    DELETE | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;

// The removal with POSIX semantics of Windows 10 1709 and later, which
// MinGW's headers declare only for later targets; the call itself says
// whether the system has it.
constexpr auto DispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
constexpr DWORD DispositionDelete = 0x1;
constexpr DWORD DispositionPosixSemantics = 0x2;
struct DispositionFlags {
    DWORD Flags;
};

// STATUS_DELETE_PENDING: the name goes once its last handle closes.
constexpr long DeletePending = static_cast<long>(0xC0000056);

// The folder name below parent, opened for removal as what it is now: a file
// or a reparse point there is opened too, without being followed, so that it
// can be told apart and left alone.
long OpenForDeletion(void* parent, std::string_view name, FileHandle& opened) {
    return OpenBelow(parent, name, DeleteAccess, FILE_OPEN_FOR_BACKUP_INTENT, opened);
}

int ErrnoOfStatus(long status) {
    return ErrnoOfWin32Error(::RtlNtStatusToDosError(status));
}

DWORD AttributesOf(const FileHandle& file) {
    FILE_BASIC_INFO info{};
    if (::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &info, sizeof info) == 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return info.FileAttributes;
}

bool SetAttributes(const FileHandle& file, DWORD attributes) {
    // Zero times leave the times as they are; no attributes at all is
    // spelled FILE_ATTRIBUTE_NORMAL, as zero leaves them as they are too.
    FILE_BASIC_INFO info{};
    const DWORD settable = attributes & ~DWORD{FILE_ATTRIBUTE_DIRECTORY};
    info.FileAttributes = settable == 0 ? FILE_ATTRIBUTE_NORMAL : settable;
    return ::SetFileInformationByHandle(file.Get(), FileBasicInfo, &info, sizeof info) != 0;
}

// Marks the open folder for removal once; the Win32 error, or 0.
DWORD MarkForDeletion(const FileHandle& folder) {
    DispositionFlags posix{DispositionDelete | DispositionPosixSemantics};
    if (::SetFileInformationByHandle(folder.Get(), DispositionInfoEx, &posix, sizeof posix) != 0) {
        return 0;
    }
    const DWORD error = ::GetLastError();
    // Only a system without the newer call gets the older one: a real
    // refusal stands, as a second try on the same handle may falsely succeed.
    if (error != ERROR_INVALID_PARAMETER && error != ERROR_INVALID_FUNCTION &&
        error != ERROR_NOT_SUPPORTED) {
        return error;
    }
    FILE_DISPOSITION_INFO classic{};
    classic.DeleteFile = TRUE;
    if (::SetFileInformationByHandle(folder.Get(), FileDispositionInfo, &classic, sizeof classic) !=
        0) {
        return 0;
    }
    return ::GetLastError();
}

FolderDeletionResult Refused(int error) {
    if (error == ENOENT) {
        return {FolderDeletion::Gone, 0};
    }
    if (error == ENOTEMPTY) {
        return {FolderDeletion::NotEmpty, 0};
    }
    return {FolderDeletion::Failed, error};
}

} // namespace

FolderDeletionResult DeleteFolderBelow(void* parent, std::string_view name,
                                       const FileIdentity& expected) {
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("\\/") != std::string_view::npos) {
        return {FolderDeletion::Failed, EINVAL};
    }
    FileHandle folder;
    const long opened = OpenForDeletion(parent, name, folder);
    if (opened < 0) {
        return Refused(ErrnoOfStatus(opened));
    }
    const DWORD attributes = AttributesOf(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {FolderDeletion::Failed, LastErrno()};
    }
    const FileIdentity found = IdentityOf(folder);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || !found.Known() ||
        (expected.Known() && found != expected)) {
        return {FolderDeletion::Replaced, 0};
    }
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !SetAttributes(folder, attributes & ~DWORD{FILE_ATTRIBUTE_READONLY})) {
        return {FolderDeletion::Failed, LastErrno()};
    }
    const DWORD marked = MarkForDeletion(folder);
    if (marked != 0) {
        if (readOnly) {
            SetAttributes(folder, attributes);
        }
        return Refused(ErrnoOfWin32Error(marked));
    }
    folder.Reset();
    // Gone, or another folder has the name by now: either way this one is
    // removed. Still there under its own identity, it was not.
    FileHandle again;
    const long reopened = OpenForDeletion(parent, name, again);
    if (reopened >= 0 && IdentityOf(again) == found) {
        return {FolderDeletion::Failed, EBUSY};
    }
    if (reopened < 0 && reopened != DeletePending && ErrnoOfStatus(reopened) != ENOENT) {
        return {FolderDeletion::Failed, ErrnoOfStatus(reopened)};
    }
    return {FolderDeletion::Removed, 0};
}

} // namespace hollowsweep
