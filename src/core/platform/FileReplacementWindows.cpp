#include "core/errors/Errors.h"
#include "core/platform/FileReplacement.h"
#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WidePath.h"

#include <atomic>
#include <cerrno>
#include <windows.h>

namespace hollowsweep {

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
}

// What the target is now: a file on a disk (a link followed to it), a
// device or pipe such as NUL or CON, or nothing yet.
enum class TargetKind { Missing, DiskFile, Device };

TargetKind KindOf(const std::wstring& target, std::string& finalPath) {
    HANDLE handle = ::CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return TargetKind::Missing;
    }
    const FileHandle opened(handle);
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        return TargetKind::Device;
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
        if (length == 0) {
            return TargetKind::DiskFile;
        }
        if (length < path.size()) {
            path.resize(length);
            finalPath = NarrowText(path);
            return TargetKind::DiskFile;
        }
        path.resize(length);
    }
}

} // namespace

FileReplacement::FileReplacement(std::string target)
    : target_(std::move(target)) {
    std::string finalPath;
    // "\\.\" names a device or a pipe, never a file to put in place.
    direct_ = target_.starts_with("\\\\.\\") ||
              KindOf(LongPath(target_), finalPath) == TargetKind::Device;
    if (direct_) {
        path_ = target_;
        return;
    }
    // A link is resolved once: the file it leads to is replaced, and the
    // link stays a link.
    destination_ = finalPath.empty() ? target_ : finalPath;
    path_ = TemporaryNameFor(destination_);
}

FileReplacement::~FileReplacement() {
    if (!direct_ && !committed_) {
        try {
            ::DeleteFileW(LongPath(path_).c_str());
        } catch (...) {
            // Nothing was made that a path could not name.
        }
    }
}

OwnedHandle FileReplacement::Create() {
    const std::wstring path = direct_ ? WideText(path_) : LongPath(path_);
    // Shared, as on Linux: a library may write the file by its path meanwhile.
    HANDLE handle =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, ShareAll, nullptr,
                      direct_ ? OPEN_EXISTING : CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw IOError(target_, LastErrno(), "cannot write");
    }
    return FileHandle(handle);
}

void FileReplacement::Commit() {
    if (direct_) {
        committed_ = true;
        return;
    }
    const std::wstring from = LongPath(path_);
    // Written through to the disk before it takes the old file's place.
    HANDLE written = ::CreateFileW(from.c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (written != INVALID_HANDLE_VALUE) {
        ::FlushFileBuffers(written);
        ::CloseHandle(written);
    }
    if (::MoveFileExW(from.c_str(), LongPath(destination_).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        throw IOError(target_, LastErrno(), "cannot replace");
    }
    committed_ = true;
}

} // namespace hollowsweep
