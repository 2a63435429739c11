#include "app/LastColumnStretch.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>
#include <utility>

namespace hollowsweep::app {

namespace {

// What the stretched column keeps when the others take the whole width, so
// that it can still be seen and scrolled to.
constexpr int LeastStretchedWidth = 100;

} // namespace

LastColumnStretch::LastColumnStretch(QTableView* view)
    : QObject(view)
    , view_(view)
    , viewport_(view->viewport()) {
    QHeaderView* header = view_->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &LastColumnStretch::onSectionResized);
    connect(header, &QHeaderView::sectionMoved, this, [this] { Stretch(); });
    viewport_->installEventFilter(this);
}

void LastColumnStretch::SetWidths(const std::vector<int>& widths) {
    widths_ = widths;
    stretched_ = -1;
    const int count =
        std::min(view_->horizontalHeader()->count(), static_cast<int>(widths_.size()));
    for (int column = 0; column < count; ++column) {
        ResizeOwn(column, widths_[static_cast<std::size_t>(column)]);
    }
    Stretch();
}

int LastColumnStretch::Width(int column) const {
    if (column >= 0 && column < static_cast<int>(widths_.size())) {
        return widths_[static_cast<std::size_t>(column)];
    }
    return view_->horizontalHeader()->sectionSize(column);
}

bool LastColumnStretch::eventFilter(QObject* watched, QEvent* event) {
    // Compared, not asked of the view: the view may be half destroyed when
    // its viewport's last events come.
    if (watched == viewport_ && event->type() == QEvent::Resize) {
        Stretch();
    }
    return QObject::eventFilter(watched, event);
}

// Every size that does not come from here comes from the user: a drag, a
// double click on a divider, or the window's code acting for them. A column
// shown again comes back at its own width, not at the stretched one it may
// have had when it was hidden.
void LastColumnStretch::onSectionResized(int column, int oldSize, int newSize) {
    if (resizing_ || column < 0 || column >= static_cast<int>(widths_.size())) {
        return;
    }
    if (oldSize == 0 && newSize > 0) {
        ResizeOwn(column, widths_[static_cast<std::size_t>(column)]);
    } else if (newSize > 0) {
        widths_[static_cast<std::size_t>(column)] = newSize;
    }
    Stretch();
}

void LastColumnStretch::Stretch() {
    const QHeaderView* header = view_->horizontalHeader();
    const int last = LastShownColumn();
    if (stretched_ != last && stretched_ >= 0 && stretched_ < header->count() &&
        Shown(stretched_)) {
        ResizeOwn(stretched_, Width(stretched_));
    }
    stretched_ = last;
    if (last < 0) {
        return;
    }
    int others = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (column != last && Shown(column)) {
            others += header->sectionSize(column);
        }
    }
    const int room = view_->viewport()->width() - others;
    ResizeOwn(last, std::max(room, std::min(Width(last), LeastStretchedWidth)));
}

int LastColumnStretch::LastShownColumn() const {
    const QHeaderView* header = view_->horizontalHeader();
    for (int position = header->count() - 1; position >= 0; --position) {
        const int column = header->logicalIndex(position);
        if (Shown(column)) {
            return column;
        }
    }
    return -1;
}

// A column being hidden has no width yet before the header marks it hidden.
bool LastColumnStretch::Shown(int column) const {
    const QHeaderView* header = view_->horizontalHeader();
    return !header->isSectionHidden(column) && header->sectionSize(column) > 0;
}

void LastColumnStretch::ResizeOwn(int column, int size) {
    const bool before = std::exchange(resizing_, true);
    view_->horizontalHeader()->resizeSection(column, size);
    resizing_ = before;
}

} // namespace hollowsweep::app
