#include "app/ResultListController.h"

#include "app/BusyCursor.h"
#include "app/ColumnDialog.h"
#include "app/DesktopLinks.h"
#include "app/ExceptionGuard.h"
#include "app/LastColumnStretch.h"
#include "app/PathText.h"
#include "app/UserDialogs.h"
#include "app/WindowLook.h"
#include "core/config/Config.h"
#include "core/export/ExportColumns.h"
#include "core/presenter/ListColumns.h"
#include "core/results/FieldSort.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

namespace hollowsweep::app {

namespace {

// Read-only columns are light blue, the others have the tooltips' colour.
// Under a dark theme both keep their hue but stay as dark as the list.
QColor ColumnBackground(bool readOnly) {
    const QColor base = QApplication::palette().color(QPalette::Base);
    const QColor tooltip = QToolTip::palette().color(QPalette::ToolTipBase);
    if (base.lightness() >= 128) {
        return readOnly ? QColor(239, 243, 255) : tooltip;
    }
    if (readOnly) {
        return QColor::fromHsl(225, 60, std::min(base.lightness() + 25, 90));
    }
    return tooltip.lightness() < 128 ? tooltip : base;
}

Qt::Alignment ColumnAlignment(ColumnAlign align) {
    switch (align) {
    case ColumnAlign::Right:
        return Qt::AlignRight;
    case ColumnAlign::Center:
        return Qt::AlignHCenter;
    case ColumnAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

LocaleReaders UserLocaleReaders() {
    const QLocale locale;
    LocaleReaders readers;
    readers.Numbers.GroupSeparator = locale.groupSeparator().toStdString();
    readers.Numbers.DecimalSeparator = locale.decimalPoint().toStdString();
    readers.ReadDateTime = [locale](std::string_view text) -> std::optional<double> {
        const QDateTime time = locale.toDateTime(DisplayText(text), QLocale::ShortFormat);
        if (!time.isValid()) {
            return std::nullopt;
        }
        return static_cast<double>(time.toMSecsSinceEpoch()) / 86400000.0;
    };
    return readers;
}

} // namespace

ResultListController::ResultListController(ResultView* list, ResultListModel& model,
                                           LazyConfig& config, IUserDialogs& dialogs)
    : view(list)
    , model_(model)
    , config_(config)
    , dialogs_(dialogs)
    , readers_(UserLocaleReaders())
    , stretch_(new LastColumnStretch(list)) {
    QHeaderView* header = view->header();
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { Guarded([&] { onHeaderClicked(column, Qt::LeftButton); }); });
    connect(view, &QAbstractItemView::doubleClicked, this,
            [this] { Guarded([&] { onRowDoubleClicked(view); }); });
    header->viewport()->installEventFilter(this);
    view->installEventFilter(this);
    connect(header, &QHeaderView::sectionMoved, this, [this] { FollowFirstVisibleColumn(); });
    Model().SetNumberFormat(readers_.Numbers);
}

ColumnSettingPtr ResultListController::Node(int position) const {
    return Configuration().Root()->GetNodes()->Item(position);
}

int ResultListController::NodeCount() const {
    return Configuration().Root()->GetNodes()->Count();
}

bool ResultListController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == view) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            Guarded([&] { ToggleSelectedRows(); });
            return true;
        }
        // Return opens the folder, as a double click does.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Guarded([&] { OpenEntryFolder(view); });
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched == view->header()->viewport()) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button != Qt::LeftButton) {
            Guarded([&] { onHeaderPressed(button); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ResultListController::SetupColumns(ResultView* list) {
    QHeaderView* header = list->header();
    Model().SetColumns({});
    sorting_.Forget();
    header->setSortIndicatorShown(false);
    std::vector<ListColumn> columns;
    const auto makeColumns = [&] {
        std::vector<ColumnLook> looks;
        std::vector<int> widths;
        for (const ListColumn& column : columns) {
            looks.push_back({DisplayText(column.Name), column.Field,
                             ColumnBackground(column.ReadOnly), ColumnAlignment(column.Align)});
            widths.push_back(column.Width.value_or(header->defaultSectionSize()));
        }
        Model().SetColumns(std::move(looks));
        stretch_->SetWidths(widths);
    };
    try {
        ReadListColumns(*Configuration().Root(), columns);
    } catch (...) {
        makeColumns();
        throw;
    }
    makeColumns();
    for (int n = 0; n < header->count(); ++n) {
        const ListColumn& column = columns[static_cast<std::size_t>(n)];
        header->moveSection(header->visualIndex(n),
                            std::clamp(column.Position, 0, header->count() - 1));
        header->setSectionHidden(n, !column.Visible);
    }
    FollowFirstVisibleColumn();
}

void ResultListController::FollowFirstVisibleColumn() {
    const QHeaderView* header = view->header();
    for (int position = 0; position < header->count(); ++position) {
        const int column = header->logicalIndex(position);
        if (!header->isSectionHidden(column)) {
            Model().SetCheckColumn(column);
            return;
        }
    }
}

void ResultListController::ToggleSelectedRows() {
    const QModelIndex current = view->currentIndex();
    if (!current.isValid()) {
        return;
    }
    const bool checked = !Model().List().At(Model().EntryOf(current.row())).Checked();
    // The selection's ranges, not its rows: a million selected rows are one
    // range, and listing them row by row took seconds.
    std::vector<EntryRange> rows;
    for (const QItemSelectionRange& range : view->selectionModel()->selection()) {
        rows.push_back({static_cast<std::size_t>(range.top()),
                        static_cast<std::size_t>(range.bottom() - range.top() + 1)});
    }
    if (rows.empty()) {
        rows.push_back({static_cast<std::size_t>(current.row()), 1});
    }
    Model().SetRowsChecked(rows, checked);
}

void ResultListController::ForgetSort() {
    sorting_.Forget();
    view->header()->setSortIndicatorShown(false);
}

void ResultListController::SaveColumns() {
    const QHeaderView* header = view->header();
    std::vector<ColumnPlacement> placements;
    placements.reserve(static_cast<std::size_t>(header->count()));
    for (int n = 0; n < header->count(); ++n) {
        placements.push_back(
            {stretch_->Width(n), !header->isSectionHidden(n), header->visualIndex(n)});
    }
    StoreListColumns(*Configuration().Root(), placements);
    Configuration().Save();
}

void ResultListController::onHeaderClicked(int column, Qt::MouseButton button) {
    if (button != Qt::LeftButton) {
        return;
    }
    const SortDirection direction = sorting_.Click(column);
    QHeaderView* header = view->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, direction == SortDirection::Ascending ? Qt::AscendingOrder
                                                                           : Qt::DescendingOrder);
    SortField = FieldIndexOf(Node(column)->GetName());
    const BusyCursor busy(Model().List().Count());
    SortByField(Model().List(), SortField, direction, readers_);
}

void ResultListController::onRowDoubleClicked(QObject* sender) {
    if (sender == view) {
        OpenEntryFolder(view);
    }
}

void ResultListController::OpenEntryFolder(ResultView* list) {
    const QModelIndex focused = list->currentIndex();
    if (!focused.isValid()) {
        return;
    }
    const std::string folder =
        FolderToOpen(Model().List().At(Model().EntryOf(focused.row())).Record);
    if (!folder.empty()) {
        OpenOnDesktop(dialogs_, list, LocalFileUrl(folder), DisplayText(folder));
    }
}

void ResultListController::onHeaderPressed(Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        ShowColumnConfig();
    }
}

void ResultListController::ShowColumnConfig() {
    ColumnDialog dialog(Configuration(), nullptr);
    if (dialog.exec() == QDialog::Accepted) {
        ApplyVisibility();
    }
}

void ResultListController::ApplyVisibility() {
    QHeaderView* header = view->header();
    const int count = NodeCount();
    for (int n = 0; n < count && n < header->count(); ++n) {
        header->setSectionHidden(n, !Node(n)->GetVisible());
    }
    FollowFirstVisibleColumn();
}

std::vector<std::string> ResultListController::GetExportColumns() const {
    return hollowsweep::GetExportColumns(*Configuration().Root());
}

} // namespace hollowsweep::app
