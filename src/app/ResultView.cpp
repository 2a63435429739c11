#include "app/ResultView.h"

#include "app/WindowLook.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>

namespace hollowsweep::app {

ResultView::ResultView(QWidget* parent)
    : QTableView(parent) {
    setItemDelegate(new GridDelegate(this));
    // The delegate draws the grid, so that it looks the same in every style.
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Tab leaves the list for the next control instead of going from cell
    // to cell.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    FitRowHeight();
}

void ResultView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        FitRowHeight();
    }
}

void ResultView::FitRowHeight() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Ag_");
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(itemDelegate()->sizeHint(option, {}).height());
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
