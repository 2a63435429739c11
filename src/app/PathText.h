#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace hollowsweep::app {

// Paths as the file system spells them, and back for the screen.
std::string LocalPath(const QString& path);
QString DisplayText(std::string_view text);

} // namespace hollowsweep::app
