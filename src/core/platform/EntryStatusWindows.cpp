#include "core/platform/EntryStatus.h"
#include "core/platform/FolderHandle.h"
#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WidePath.h"

#include <cerrno>
#include <windows.h>
#include <winternl.h>

namespace hollowsweep {

namespace {

constexpr ULONG ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// From 1601 to 1970, in the 100-nanosecond steps of a Windows file time.
constexpr std::int64_t UnixEpochInFileTime = 116'444'736'000'000'000;

bool IsNameOnly(const char* name) {
    const std::string_view text(name);
    return !text.empty() && text != "." && text != ".." &&
           text.find_first_of("\\/") == std::string_view::npos;
}

FileHandle OpenForStatus(NativeHandle folder, const char* name) {
    if (folder == CurrentFolder) {
        const std::wstring path = LongPath(name);
        HANDLE handle =
            ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            errno = LastErrno();
            return {};
        }
        return FileHandle(handle);
    }
    if (!IsNameOnly(name)) {
        errno = EINVAL;
        return {};
    }
    FileHandle opened;
    const long result = OpenBelow(folder, name, FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                  FILE_OPEN_FOR_BACKUP_INTENT, opened);
    if (result < 0) {
        errno = ErrnoOfWin32Error(::RtlNtStatusToDosError(result));
    }
    return opened;
}

} // namespace

std::optional<EntryStatus> StatusOf(NativeHandle handle) noexcept {
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) == 0) {
        errno = LastErrno();
        return std::nullopt;
    }
    EntryStatus result;
    result.Identity = IdentityOf(handle);
    result.Modified = (basic.LastWriteTime.QuadPart - UnixEpochInFileTime) * 100;
    const DWORD attributes = basic.FileAttributes;
    // A reparse point is neither a folder nor a file to the layers above, as
    // a link is on Linux; one that is a folder is where another volume or
    // another place is grafted in.
    const bool reparse = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    result.MountRoot = reparse && folder;
    result.IsFolder = folder && !reparse;
    result.IsRegularFile = !folder && !reparse && (attributes & FILE_ATTRIBUTE_DEVICE) == 0;
    return result;
}

std::optional<EntryStatus> StatusAt(NativeHandle folder, const char* name) noexcept {
    try {
        const FileHandle entry = OpenForStatus(folder, name);
        if (!entry) {
            return std::nullopt;
        }
        return StatusOf(entry.Get());
    } catch (...) {
        // A name that is no WTF-8 names no entry.
        errno = EINVAL;
        return std::nullopt;
    }
}

} // namespace hollowsweep
