#include "cli/WindowsConsole.h"

#include "core/platform/WidePath.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <windows.h>

namespace hollowsweep::cli {

WindowsConsole::WindowsConsole() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    for (int i = 0; wide && i < count; ++i) {
        arguments_.push_back(NarrowText(wide.get()[i]));
    }
    for (auto& argument : arguments_) {
        pointers_.push_back(argument.data());
    }
    pointers_.push_back(nullptr);
    // Bytes as written: no "\r" added, and a console shows them as UTF-8.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace hollowsweep::cli
