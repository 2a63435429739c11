#pragma once

#include <string>

namespace hollowsweep {

// The folder that holds the running executable.
std::string ExecutableFolder();

// Where this program keeps per-user settings: $XDG_CONFIG_HOME/Hollowsweep,
// else ~/.config/Hollowsweep; on Windows %APPDATA%\Hollowsweep. The folder
// need not exist yet.
std::string UserConfigFolder();

// Whether this process may create files in a folder.
bool IsWritableFolder(const std::string& path);

} // namespace hollowsweep
