#pragma once

#include <QString>
#include <QUrl>
#include <string>
#include <string_view>

namespace hollowsweep::app {

// Paths as the file system spells them, and back for the screen.
std::string LocalPath(const QString& path);
QString DisplayText(std::string_view text);
// A file: address of a path, byte for byte: a name that is not UTF-8 keeps
// its bytes percent-encoded, where text made from it would not.
QUrl LocalFileUrl(std::string_view path);

} // namespace hollowsweep::app
