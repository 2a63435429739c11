#pragma once

#include <string>
#include <vector>

namespace hollowsweep::cli {

// The tool's arguments and standard streams as on Linux: the arguments of
// the command line in WTF-8, whatever the system's code page, and output in
// UTF-8 bytes as written, "\n" and NUL included, to a console, a pipe or a
// file alike.
class WindowsConsole {
public:
    WindowsConsole();

    int ArgumentCount() const noexcept { return static_cast<int>(arguments_.size()); }
    char** Arguments() noexcept { return pointers_.data(); }

private:
    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;
};

} // namespace hollowsweep::cli
