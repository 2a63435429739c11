#include "app/FlowLayout.h"

#include <QWidget>
#include <algorithm>

namespace hollowsweep::app {

FlowLayout::FlowLayout(QWidget* parent, int columnSpacing, int rowSpacing)
    : QLayout(parent)
    , columnSpacing_(columnSpacing)
    , rowSpacing_(rowSpacing) {}

FlowLayout::~FlowLayout() = default;

void FlowLayout::addItem(QLayoutItem* item) {
    items_.emplace_back(item);
}

int FlowLayout::count() const {
    return static_cast<int>(items_.size());
}

QLayoutItem* FlowLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    const auto taken = items_.begin() + index;
    QLayoutItem* item = taken->release();
    items_.erase(taken);
    return item;
}

Qt::Orientations FlowLayout::expandingDirections() const {
    return {};
}

bool FlowLayout::hasHeightForWidth() const {
    return true;
}

int FlowLayout::heightForWidth(int width) const {
    return Arrange(QRect(0, 0, width, 0), false);
}

// The widest item: no width shows less.
QSize FlowLayout::minimumSize() const {
    QSize size;
    for (const auto& item : items_) {
        size = size.expandedTo(item->minimumSize());
    }
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

// All items in one row.
QSize FlowLayout::sizeHint() const {
    int width = 0;
    int height = 0;
    for (const auto& item : items_) {
        const QSize hint = item->sizeHint();
        width += hint.width() + (width > 0 ? columnSpacing_ : 0);
        height = std::max(height, hint.height());
    }
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    Arrange(rect, true);
}

int FlowLayout::Arrange(const QRect& rect, bool place) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (const auto& item : items_) {
        if (item->isEmpty()) {
            continue;
        }
        const QSize hint = item->sizeHint();
        if (x > area.x() && x + hint.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight + rowSpacing_;
            rowHeight = 0;
        }
        if (place) {
            item->setGeometry(QRect(QPoint(x, y), hint));
        }
        x += hint.width() + columnSpacing_;
        rowHeight = std::max(rowHeight, hint.height());
    }
    return y + rowHeight - rect.y() + contentsMargins().bottom();
}

} // namespace hollowsweep::app
