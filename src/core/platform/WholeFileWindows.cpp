#include "core/errors/Errors.h"
#include "core/platform/EntryStatus.h"
#include "core/platform/FolderHandle.h"
#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WholeFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <windows.h>
#include <winternl.h>

namespace hollowsweep {

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
    std::string text;
    std::array<char, 65536> buffer{};
    while (text.size() <= limit) {
        const std::size_t wanted = std::min(buffer.size(), limit - text.size() + 1);
        DWORD bytes = 0;
        if (::ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(wanted), &bytes, nullptr) ==
            0) {
            throw IOError(name, LastErrno(), "cannot read");
        }
        if (bytes == 0) {
            break;
        }
        text.append(buffer.data(), bytes);
    }
    if (text.size() > limit) {
        return std::nullopt;
    }
    return text;
}

} // namespace hollowsweep
