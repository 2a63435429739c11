#include "app/PathElision.h"

namespace hollowsweep::app {

QString ElidedPath(const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(path) <= width) {
        return path;
    }
    const QString ellipsis(QChar(0x2026));
    const qsizetype slash = path.lastIndexOf('/');
    const QString last = slash > 0 ? path.mid(slash) : QString();
    if (last.isEmpty() || metrics.horizontalAdvance(ellipsis + last) > width) {
        return metrics.elidedText(path, Qt::ElideMiddle, width);
    }
    // The longest beginning that still fits before the ellipsis.
    qsizetype fits = 0;
    qsizetype tooLong = slash + 1;
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (metrics.horizontalAdvance(path.left(middle) + ellipsis + last) <= width) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    // Half a character would show as a box.
    if (fits > 0 && path[fits - 1].isHighSurrogate()) {
        --fits;
    }
    return path.left(fits) + ellipsis + last;
}

} // namespace hollowsweep::app
