#pragma once

#include <QFontMetrics>
#include <QString>
#include <Qt>

namespace hollowsweep::app {

// A cell whose data for this role is true shows a path, which gives way in
// its middle when it does not fit.
inline constexpr int ElidePathRole = Qt::UserRole + 1;

// The path as it fits in width pixels: whole when it fits; else its beginning
// and its last name on either side of an ellipsis, so that the folder it
// names stays readable; when not even "…/last name" fits, the middle of what
// is left goes.
QString ElidedPath(const QString& path, const QFontMetrics& metrics, int width);

} // namespace hollowsweep::app
