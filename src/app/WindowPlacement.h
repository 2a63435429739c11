#pragma once

#include <QList>
#include <QRect>

namespace hollowsweep::app {

// Where a window whose frame would cover `wanted` opens: on the screen that
// shows most of it, or on the nearest screen when none shows enough of it to
// take hold of, moved and shrunk until it lies wholly within that screen's
// free area, so that its title bar and menu can be reached. `screens` are
// the screens' free areas; with none, the window goes where it was wanted.
QRect PlaceOnScreens(const QRect& wanted, const QList<QRect>& screens);

} // namespace hollowsweep::app
