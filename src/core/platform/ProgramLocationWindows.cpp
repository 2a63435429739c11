#include "core/errors/Errors.h"
#include "core/platform/ProgramLocation.h"
#include "core/platform/SystemErrorCodes.h"
#include "core/platform/WidePath.h"

#include <shlobj.h>
#include <windows.h>

namespace hollowsweep {

namespace {

// The roaming application data folder: %APPDATA% where it names an absolute
// folder, else the one the system keeps for the user.
std::wstring ApplicationDataFolder() {
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetEnvironmentVariableW(L"APPDATA", value.data(), static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            value.resize(length);
            break;
        }
        value.resize(length);
    }
    const bool absolute = value.size() >= 3 && value[1] == L':' && value[2] == L'\\';
    if (absolute || value.starts_with(L"\\\\")) {
        return value;
    }
    PWSTR known = nullptr;
    std::wstring folder;
    if (::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known) == S_OK) {
        folder = known;
    }
    ::CoTaskMemFree(known);
    return folder;
}

} // namespace

std::string ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            throw IOError("hollowsweep-cli.exe", LastErrno(), "cannot open");
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.rfind(L'\\');
    // A drive's root keeps its separator: "C:\".
    path.resize(separator == 2 ? 3 : separator);
    return NarrowText(path);
}

std::string UserConfigFolder() {
    return NarrowText(ApplicationDataFolder()) + "\\Hollowsweep";
}

bool IsWritableFolder(const std::string& path) {
    // Windows' access rules are not the attribute bits: only making a file
    // there tells. It is gone again when its handle closes.
    const std::wstring probe =
        LongPath(path) + L"\\.hollowsweep-probe-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE file = ::CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(file);
    return true;
}

} // namespace hollowsweep
