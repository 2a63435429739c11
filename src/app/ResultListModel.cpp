#include "app/ResultListModel.h"

#include "app/ExceptionGuard.h"
#include "app/PathElision.h"
#include "app/PathText.h"

#include <utility>

namespace hollowsweep::app {

ResultListModel::ResultListModel(QObject* parent)
    : QAbstractTableModel(parent) {
    list_.SetObserver(this);
}

void ResultListModel::SetColumns(std::vector<ColumnLook> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    endResetModel();
}

QString ResultListModel::Hint() {
    return tr("Double click to open it in explorer.");
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.ShownCount());
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const ResultEntry& entry = list_.At(EntryOf(index.row()));
    const ColumnLook& column = columns_[static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return CellText(entry, column);
    case Qt::CheckStateRole:
        if (index.column() == checkColumn_) {
            return entry.Checked() ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    case Qt::ToolTipRole:
        if (entry.Kept) {
            return Hint() + tr("\nNot removed: ") +
                   DisplayText(RemovalReason(entry.KeptBecause, entry.KeptError));
        }
        return Hint();
    case Qt::BackgroundRole:
        return column.Background.isValid() ? QVariant(column.Background) : QVariant();
    case Qt::ForegroundRole:
        // A fixed background keeps its text readable whatever the theme's
        // text colour: a dark theme's white on the light cells was not.
        if (column.Background.isValid()) {
            return column.Background.lightness() >= 128 ? QColor(Qt::black) : QColor(Qt::white);
        }
        return {};
    case Qt::TextAlignmentRole:
        return static_cast<int>(column.Alignment | Qt::AlignVCenter);
    case ElidePathRole:
        return column.Field == FullPath;
    default:
        return {};
    }
}

bool ResultListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != checkColumn_ ||
        !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return false;
    }
    list_.SetChecked(EntryOf(index.row()), value.value<Qt::CheckState>() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return index.column() == checkColumn_ ? flags | Qt::ItemIsUserCheckable : flags;
}

void ResultListModel::SetCheckColumn(int column) {
    if (column == checkColumn_) {
        return;
    }
    const int previous = std::exchange(checkColumn_, column);
    if (rowCount() > 0) {
        for (const int changed : {previous, column}) {
            if (changed >= 0 && changed < columnCount()) {
                emit dataChanged(index(0, changed), index(rowCount() - 1, changed),
                                 {Qt::CheckStateRole});
            }
        }
    }
}

void ResultListModel::SetRowsChecked(std::span<const EntryRange> rows, bool checked) {
    if (!list_.Filtered()) {
        list_.SetChecked(rows, checked);
        return;
    }
    std::vector<EntryRange> entries;
    for (const EntryRange& range : rows) {
        for (std::size_t row = range.First; row < range.First + range.Count; ++row) {
            entries.push_back({list_.ShownEntry(row), 1});
        }
    }
    list_.SetChecked(entries, checked);
}

std::size_t ResultListModel::EntryOf(int row) const {
    return list_.ShownEntry(static_cast<std::size_t>(row));
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size())) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return columns_[static_cast<std::size_t>(section)].Caption;
    }
    return {};
}

void ResultListModel::ListBeginUpdate() {
    beginResetModel();
}

void ResultListModel::ListEndUpdate() {
    endResetModel();
}

// Only the marks changed: the view keeps its selection and scroll position.
void ResultListModel::ListChecksChanged() {
    if (rowCount() > 0 && !columns_.empty()) {
        emit dataChanged(index(0, checkColumn_), index(rowCount() - 1, checkColumn_),
                         {Qt::CheckStateRole});
    }
}

QString ResultListModel::CellText(const ResultEntry& entry, const ColumnLook& column) const {
    // A cell whose text cannot be made shows empty.
    QString text;
    Guarded([&] { text = DisplayText(GetFieldText(column.Field, &entry.Record, numbers_)); });
    return text;
}

} // namespace hollowsweep::app
