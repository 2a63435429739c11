#include "app/ResultView.h"

namespace hollowsweep::app {

namespace {

// Below this many rows the view's own way is cheap enough.
constexpr int ManyRows = 256;

} // namespace

ResultView::ResultView(QWidget* parent)
    : QTreeView(parent) {
    setUniformRowHeights(true);
}

void ResultView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QList<int>& roles) {
    const bool onlyChecks = roles.size() == 1 && roles.front() == Qt::CheckStateRole;
    if (onlyChecks && bottomRight.row() - topLeft.row() >= ManyRows) {
        viewport()->update();
        return;
    }
    QTreeView::dataChanged(topLeft, bottomRight, roles);
}

} // namespace hollowsweep::app
