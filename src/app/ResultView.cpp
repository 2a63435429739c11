#include "app/ResultView.h"

#include <QContextMenuEvent>

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

// The mouse asks for the row it points at; the keyboard (the Menu key, which
// the desktop turns into this event wherever the mouse is) for the current
// row, by which the menu then opens.
void ResultView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        emit MenuRequested(event->globalPos(), indexAt(event->pos()));
    } else {
        RequestMenuAtCurrentRow();
    }
    event->accept();
}

void ResultView::RequestMenuAtCurrentRow() {
    const QModelIndex current = currentIndex();
    const QRect row = visualRect(current);
    emit MenuRequested(viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint()),
                       current);
}

} // namespace hollowsweep::app
