#include "app/WindowLook.h"

#include <QPainter>
#include <QWidget>

namespace hollowsweep::app {

void UseSmallFont(QWidget* window) {
    QFont font = window->font();
    font.setPointSize(8);
    window->setFont(font);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(QColor(216, 216, 216));
    const QRect cell = option.rect;
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->restore();
}

int LargeMenuIconStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                    const QWidget* widget) const {
    if (metric == PM_SmallIconSize) {
        return 32;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace hollowsweep::app
