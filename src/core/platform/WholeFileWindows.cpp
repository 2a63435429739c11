#include "core/errors/Errors.h"
#include "core/platform/EntryStatus.h"
#include "core/platform/FileReplacement.h"
#include "core/platform/FolderHandle.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WholeFile.h"
#include "core/platform/WidePath.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>
#include <windows.h>
#include <winternl.h>

namespace hollowsweep {

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Reads until the end, or until the text holds one byte more than limit.
std::string ReadUpTo(HANDLE file, const std::string& path, std::size_t limit) {
    std::string text;
    std::array<char, 65536> buffer{};
    while (text.size() <= limit) {
        const std::size_t wanted = std::min(buffer.size(), limit - text.size() + 1);
        DWORD bytes = 0;
        if (::ReadFile(file, buffer.data(), static_cast<DWORD>(wanted), &bytes, nullptr) == 0) {
            // The writing end of a pipe closed: that is its end.
            if (::GetLastError() == ERROR_BROKEN_PIPE) {
                break;
            }
            throw IOError(path, LastErrno(), "cannot read");
        }
        if (bytes == 0) {
            break;
        }
        text.append(buffer.data(), bytes);
    }
    return text;
}

FileHandle OpenForReading(const std::string& path) {
    HANDLE handle = ::CreateFileW(LongPath(path).c_str(), GENERIC_READ, ShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw IOError(path, LastErrno(), "cannot open");
    }
    return FileHandle(handle);
}

} // namespace

std::string ReadWholeFile(const std::string& path) {
    const FileHandle file = OpenForReading(path);
    // One byte short of the largest size, so that "one more" cannot overflow.
    return ReadUpTo(file.Get(), path, std::numeric_limits<std::size_t>::max() - 1);
}

std::string ReadStandardInput() {
    return ReadUpTo(::GetStdHandle(STD_INPUT_HANDLE), "standard input",
                    std::numeric_limits<std::size_t>::max() - 1);
}

std::optional<std::string> ReadFileWithin(const std::string& path, std::size_t limit) {
    return ReadFileWithin(OpenForReading(path), path, limit);
}

std::optional<std::string> ReadFileWithin(const OwnedHandle& fd, const std::string& path,
                                          std::size_t limit) {
    // A file may grow while it is read, so the read itself stops one byte
    // past the limit.
    std::string text = ReadUpTo(fd.Get(), path, limit);
    if (text.size() > limit) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::string> ReadRegularFileBelow(NativeHandle folder, const char* name,
                                                std::size_t limit) {
    FileHandle file;
    if (OpenBelow(folder, name, FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                  FILE_NON_DIRECTORY_FILE | FILE_OPEN_FOR_BACKUP_INTENT, file) < 0) {
        return std::nullopt;
    }
    const auto status = StatusOf(file.Get());
    if (!status || !status->IsRegularFile) {
        return std::nullopt;
    }
    return ReadFileWithin(file, name, limit);
}

void WriteAll(const OwnedHandle& fd, std::string_view text, const std::string& path) {
    while (!text.empty()) {
        const auto wanted =
            static_cast<DWORD>(std::min<std::size_t>(text.size(), std::size_t{1} << 30));
        DWORD written = 0;
        if (::WriteFile(fd.Get(), text.data(), wanted, &written, nullptr) == 0) {
            throw IOError(path, LastErrno(), "cannot write");
        }
        text.remove_prefix(written);
    }
}

void ReplaceWholeFile(const std::string& path, std::string_view text) {
    FileReplacement replacement(path);
    {
        const FileHandle file = replacement.Create();
        WriteAll(file, text, path);
    }
    replacement.Commit();
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int WhyNotWritable(const std::string& path) noexcept {
    try {
        const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return LastErrno();
        }
        return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? EACCES : 0;
    } catch (...) {
        return EINVAL;
    }
}

int WhyNotSeekable(NativeHandle file) noexcept {
    return ::GetFileType(file) == FILE_TYPE_DISK ? 0 : ESPIPE;
}

bool RemoveFile(const std::string& path) noexcept {
    try {
        if (::DeleteFileW(LongPath(path).c_str()) != 0) {
            return true;
        }
        errno = LastErrno();
    } catch (...) {
        errno = EINVAL;
    }
    return false;
}

void MakeFolders(const std::string& path) {
    const std::size_t rootLength = RootOf(path).size();
    for (std::size_t end = path.find_first_of(PathSeparators, rootLength);;
         end = path.find_first_of(PathSeparators, end + 1)) {
        const std::string prefix = path.substr(0, end);
        if (::CreateDirectoryW(LongPath(prefix).c_str(), nullptr) == 0 &&
            ::GetLastError() != ERROR_ALREADY_EXISTS) {
            throw IOError(prefix, LastErrno(), "cannot create folder");
        }
        if (end == std::string::npos) {
            return;
        }
    }
}

} // namespace hollowsweep
