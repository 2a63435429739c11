#include "app/WindowLook.h"

#include "app/PathElision.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace hollowsweep::app {

void UseSmallFont(QWidget* window) {
    QFont font = window->font();
    font.setPointSize(8);
    window->setFont(font);
}

namespace {

QColor Blend(const QColor& from, const QColor& to, double share) {
    const auto mix = [share](int a, int b) {
        return static_cast<int>(std::lround(a + ((b - a) * share)));
    };
    return {mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue())};
}

// Some styles draw an unchecked box white on white; an outline in the text's
// colour keeps it visible in every style and theme.
void OutlineCheckBox(QPainter* painter, const QStyleOptionViewItem& option,
                     const QModelIndex& index) {
    if (!index.data(Qt::CheckStateRole).isValid()) {
        return;
    }
    QStyleOptionViewItem item(option);
    item.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QWidget* view = option.widget;
    const QStyle* style = view != nullptr ? view->style() : nullptr;
    if (style == nullptr) {
        return;
    }
    const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, view);
    painter->setPen(
        Blend(option.palette.color(QPalette::Base), option.palette.color(QPalette::Text), 0.55));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box.adjusted(0, 0, -1, -1));
}

} // namespace

// What the style draws, with a path shortened to the width the style gives
// its text; only when painting, so that a column fitted to its contents still
// takes the whole path's width.
void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QWidget* view = option.widget;
    const QStyle* style = view != nullptr ? view->style() : QApplication::style();
    if (index.data(ElidePathRole).toBool()) {
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
        item.text = ElidedPath(item.text, QFontMetrics(item.font), text.width() - (2 * margin));
    }
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, view);
    painter->save();
    OutlineCheckBox(painter, option, index);
    painter->setPen(GridColor(option.palette));
    const QRect cell = option.rect;
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->restore();
}

// A light grey on a light list, and as faint a line on a dark one.
QColor GridDelegate::GridColor(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    return base.lightness() >= 128 ? QColor(216, 216, 216)
                                   : Blend(base, palette.color(QPalette::Text), 0.2);
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // Room below the text for its descent, and a pixel more for the line.
    constexpr int Room = 3;
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 2 * Room));
    return size;
}

int LargeMenuIconStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                    const QWidget* widget) const {
    if (metric == PM_SmallIconSize) {
        return 32;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace hollowsweep::app
