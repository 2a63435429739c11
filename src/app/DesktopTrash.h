#pragma once

#include <optional>
#include <string>

namespace hollowsweep::app {

// Moves the file or folder at a path to the desktop's trash through GIO, as
// the file manager does: to the home trash, or to the trash of the volume it
// lies on, with a record the desktop restores it from. The path goes over
// byte for byte, whatever its encoding. Returns nothing once the trash took
// it, else GIO's words for why it did not.
std::optional<std::string> MoveToDesktopTrash(const std::string& path);

} // namespace hollowsweep::app
