#pragma once

#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace hollowsweep::app {

// Draws the list's grid lines below and right of every cell.
class TGridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// Gives a menu its large icons.
class TLargeMenuIconStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};

} // namespace hollowsweep::app
