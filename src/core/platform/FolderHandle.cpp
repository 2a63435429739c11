#include "core/platform/FolderHandle.h"

#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WidePath.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <windows.h>
#include <winternl.h>

namespace hollowsweep {

namespace {

// Enough for listing a folder; sharing everything, so that the scan never
// stands in another program's way, nor in its own removal's.
constexpr ACCESS_MASK ListAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr ULONG ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::size_t ListingBufferSize = std::size_t{64} * 1024;

bool IsSingleComponent(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/") == std::string_view::npos;
}

bool IsFolder(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileInformationByHandle(handle, &info) != 0 &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

EntryKind KindOfAttributes(DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return EntryKind::Other;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder : EntryKind::File;
}

} // namespace

FileHandle OpenFolder(std::string_view path) {
    const std::wstring longPath = LongPath(path);
    HANDLE handle =
        ::CreateFileW(longPath.c_str(), ListAccess, ShareAll, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = LastErrno();
        return {};
    }
    FileHandle folder(handle);
    if (!IsFolder(handle)) {
        errno = ENOTDIR;
        return {};
    }
    return folder;
}

long OpenBelow(void* parent, std::string_view name, unsigned long access, unsigned long options,
               FileHandle& opened) {
    std::wstring wide = WideText(name);
    UNICODE_STRING objectName{};
    objectName.Buffer = wide.data();
    objectName.Length = static_cast<USHORT>(wide.size() * sizeof(wchar_t));
    objectName.MaximumLength = objectName.Length;
    OBJECT_ATTRIBUTES attributes{};
    InitializeObjectAttributes(&attributes, &objectName, OBJ_CASE_INSENSITIVE, parent, nullptr);
    IO_STATUS_BLOCK status{};
    HANDLE handle = nullptr;
    const NTSTATUS result = ::NtCreateFile(
        &handle, access, &attributes, &status, nullptr, 0, ShareAll, FILE_OPEN,
        options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    if (result >= 0) {
        opened = FileHandle(handle);
    }
    return result;
}

FileHandle OpenFolderBelow(void* parent, std::string_view name) {
    if (!IsSingleComponent(name)) {
        errno = EINVAL;
        return {};
    }
    FileHandle folder;
    const long result = OpenBelow(parent, name, ListAccess,
                                  FILE_DIRECTORY_FILE | FILE_OPEN_FOR_BACKUP_INTENT, folder);
    if (result < 0) {
        errno = ErrnoOfWin32Error(::RtlNtStatusToDosError(result));
    }
    return folder;
}

int ReadFolder(void* folder, std::vector<FolderEntry>& entries) {
    // The records hold 64-bit fields: the buffer is aligned for them.
    const auto buffer =
        std::make_unique<std::uint64_t[]>(ListingBufferSize / sizeof(std::uint64_t));
    auto kind = FileIdBothDirectoryRestartInfo;
    for (;;) {
        if (::GetFileInformationByHandleEx(folder, kind, buffer.get(), ListingBufferSize) == 0) {
            const DWORD error = ::GetLastError();
            return error == ERROR_NO_MORE_FILES ? 0 : ErrnoOfWin32Error(error);
        }
        kind = FileIdBothDirectoryInfo;
        const auto* record = reinterpret_cast<const unsigned char*>(buffer.get());
        for (;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(record);
            const std::wstring_view name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") {
                entries.push_back({NarrowText(name), KindOfAttributes(entry->FileAttributes)});
            }
            if (entry->NextEntryOffset == 0) {
                break;
            }
            record += entry->NextEntryOffset;
        }
    }
}

FolderIdentity IdentityOf(void* file) noexcept {
    FolderIdentity identity{};
    FILE_ID_INFO info{};
    if (::GetFileInformationByHandleEx(file, FileIdInfo, &info, sizeof info) != 0) {
        identity.Device = info.VolumeSerialNumber;
        std::memcpy(identity.FileId.data(), info.FileId.Identifier, identity.FileId.size());
        return identity;
    }
    // Before Windows 8 and on some file systems: a 32-bit volume serial and a
    // 64-bit file index, which is the whole ID there.
    BY_HANDLE_FILE_INFORMATION fallback{};
    if (::GetFileInformationByHandle(file, &fallback) != 0) {
        identity.Device = fallback.dwVolumeSerialNumber;
        const std::uint64_t index =
            (std::uint64_t{fallback.nFileIndexHigh} << 32) | fallback.nFileIndexLow;
        std::memcpy(identity.FileId.data(), &index, sizeof index);
    }
    return identity;
}

} // namespace hollowsweep
