#include "app/WindowPlacement.h"

#include <algorithm>

namespace hollowsweep::app {

namespace {

// Less of a window than this on a screen cannot be grabbed to move it.
constexpr QSize GraspableSize(100, 50);

bool ShowsEnough(const QRect& wanted, const QRect& screen) {
    const QRect shown = wanted.intersected(screen);
    return shown.width() >= GraspableSize.width() && shown.height() >= GraspableSize.height();
}

qint64 Area(const QRect& rect) {
    return rect.isEmpty() ? 0 : qint64{rect.width()} * rect.height();
}

qint64 DistanceSquared(const QPoint& point, const QRect& rect) {
    const qint64 dx = point.x() - std::clamp(point.x(), rect.left(), rect.right());
    const qint64 dy = point.y() - std::clamp(point.y(), rect.top(), rect.bottom());
    return dx * dx + dy * dy;
}

QRect ChooseScreen(const QRect& wanted, const QList<QRect>& screens) {
    const auto most =
        std::max_element(screens.begin(), screens.end(), [&wanted](const QRect& a, const QRect& b) {
            return Area(wanted.intersected(a)) < Area(wanted.intersected(b));
        });
    if (ShowsEnough(wanted, *most)) {
        return *most;
    }
    const QPoint centre = wanted.center();
    return *std::min_element(screens.begin(), screens.end(),
                             [&centre](const QRect& a, const QRect& b) {
                                 return DistanceSquared(centre, a) < DistanceSquared(centre, b);
                             });
}

} // namespace

QRect PlaceOnScreens(const QRect& wanted, const QList<QRect>& screens) {
    if (screens.isEmpty()) {
        return wanted;
    }
    const QRect screen = ChooseScreen(wanted, screens);
    const QSize size = wanted.size().boundedTo(screen.size());
    const int left = std::clamp(wanted.left(), screen.left(), screen.right() + 1 - size.width());
    const int top = std::clamp(wanted.top(), screen.top(), screen.bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

} // namespace hollowsweep::app
