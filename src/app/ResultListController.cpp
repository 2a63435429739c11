#include "app/ResultListController.h"

#include "app/ColumnDialog.h"
#include "app/DesktopLinks.h"
#include "app/ExceptionGuard.h"
#include "app/PathText.h"
#include "app/UserDialogs.h"
#include "app/WindowLook.h"
#include "core/config/Config.h"
#include "core/export/ExportColumns.h"

#include <QDateTime>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QToolTip>
#include <QTreeView>

namespace hollowsweep::app {

namespace {

QColor ColumnBackground(bool readOnly) {
    return readOnly ? QColor(239, 243, 255) : QToolTip::palette().color(QPalette::ToolTipBase);
}

Qt::Alignment ColumnAlignment(const std::string& align) {
    if (align == "right") {
        return Qt::AlignRight;
    }
    if (align == "center") {
        return Qt::AlignHCenter;
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

// The folder to open for an entry: the entry's own path, or for a file the
// folder that holds it.
std::string FolderToOpen(const ResultRecord& record) {
    std::string path(record.Field(FullPath));
    if (record.Field(FileType) != "file") {
        return path;
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

ResultListController::ResultListController(QTreeView* list, ResultListModel& model,
                                           LazyConfig& config, IUserDialogs& dialogs)
    : view(list)
    , model_(model)
    , config_(config)
    , dialogs_(dialogs)
    , readers_(UserLocaleReaders()) {
    QHeaderView* header = view->header();
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { Guarded([&] { onHeaderClicked(column, Qt::LeftButton); }); });
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (size > 0 && column < static_cast<int>(widths_.size())) {
            widths_[static_cast<std::size_t>(column)] = size;
        }
    });
    connect(view, &QTreeView::doubleClicked, this,
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

void ResultListController::SetupColumns(QTreeView* list) {
    QHeaderView* header = list->header();
    Model().SetColumns({});
    sortColumn_.reset();
    header->setSortIndicatorShown(false);
    std::vector<ColumnLook> looks;
    widths_.clear();
    const auto makeColumns = [&] {
        Model().SetColumns(std::move(looks));
        for (std::size_t n = 0; n < widths_.size(); ++n) {
            header->resizeSection(static_cast<int>(n), widths_[n]);
        }
    };
    // A column is made as far as its entry could be read, and the ones before it.
    try {
        const int count = NodeCount();
        for (int n = 0; n < count; ++n) {
            const ColumnSettingPtr node = Node(n);
            looks.push_back({DisplayText(node->GetName()), FieldIndexOf(node->GetName()), QColor(),
                             Qt::AlignLeft});
            widths_.push_back(header->defaultSectionSize());
            widths_.back() = node->GetWidth();
            looks.back().Background = ColumnBackground(node->GetReadOnly());
            looks.back().Alignment = ColumnAlignment(node->GetAlign());
        }
    } catch (...) {
        makeColumns();
        throw;
    }
    makeColumns();
    const int count = std::min(NodeCount(), header->count());
    for (int n = 0; n < count; ++n) {
        const ColumnSettingPtr node = Node(n);
        const int position = std::clamp(node->GetIndex(), 0, header->count() - 1);
        header->moveSection(header->visualIndex(n), position);
        header->setSectionHidden(n, !node->GetVisible());
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
    const bool checked = !Model().List().At(static_cast<std::size_t>(current.row())).Checked;
    std::vector<int> rows;
    for (const QModelIndex& selected : view->selectionModel()->selectedRows()) {
        rows.push_back(selected.row());
    }
    if (rows.empty()) {
        rows.push_back(current.row());
    }
    Model().SetRowsChecked(rows, checked);
}

void ResultListController::SaveColumns() {
    const QHeaderView* header = view->header();
    for (int n = 0; n < header->count(); ++n) {
        const ColumnSettingPtr node = Node(n);
        const int width = n < static_cast<int>(widths_.size())
                              ? widths_[static_cast<std::size_t>(n)]
                              : header->sectionSize(n);
        node->SetWidth(width);
        node->SetVisible(!header->isSectionHidden(n));
        node->SetIndex(header->visualIndex(n));
    }
    Configuration().Save();
}

void ResultListController::onHeaderClicked(int column, Qt::MouseButton button) {
    if (button != Qt::LeftButton) {
        return;
    }
    direction_ = !sortColumn_ || direction_ == SortDirection::Descending
                     ? SortDirection::Ascending
                     : SortDirection::Descending;
    sortColumn_ = column;
    QHeaderView* header = view->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, direction_ == SortDirection::Ascending ? Qt::AscendingOrder
                                                                            : Qt::DescendingOrder);
    SortField = FieldIndexOf(Node(column)->GetName());
    Model().List().Sort([this](const ResultEntry& a,
                               const ResultEntry& b) { return CompareRows(a.Record, b.Record); },
                        direction_);
}

int ResultListController::CompareRows(const ResultRecord& a, const ResultRecord& b) const {
    return hollowsweep::CompareEntries(a, b, SortField, direction_, readers_);
}

void ResultListController::onRowDoubleClicked(QObject* sender) {
    if (sender == view) {
        OpenEntryFolder(view);
    }
}

void ResultListController::OpenEntryFolder(QTreeView* list) {
    const QModelIndex focused = list->currentIndex();
    if (!focused.isValid()) {
        return;
    }
    const std::string folder =
        FolderToOpen(Model().List().At(static_cast<std::size_t>(focused.row())).Record);
    if (!folder.empty()) {
        dialogs_.OpenUrl(LocalFileUrl(folder));
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
