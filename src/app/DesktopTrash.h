#pragma once

#include <string>

namespace hollowsweep::app {

// Moves the folder at a path to the desktop's home trash, as the file manager
// does; false when the trash did not take it. A folder on another file system
// than the home stays, as does a path Qt cannot spell byte for byte, since
// another name would be moved.
bool MoveToDesktopTrash(const std::string& path);

} // namespace hollowsweep::app
