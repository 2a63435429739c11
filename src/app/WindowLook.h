#pragma once

#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace hollowsweep::app {

// The desktop's own font at the size the windows were laid out for.
void UseSmallFont(QWidget* window);

// Draws the list's grid lines below and right of every cell, on rows tall
// enough that the lines leave the letters' descenders and underscores whole.
// A path that does not fit its cell gives way in its middle (ElidePathRole).
class GridDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static QColor GridColor(const QPalette& palette);
};

// Gives a menu its large icons.
class LargeMenuIconStyle final : public QProxyStyle {
    Q_OBJECT

public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};

} // namespace hollowsweep::app
