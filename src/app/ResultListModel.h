#pragma once

#include "core/results/FieldCatalog.h"
#include "core/results/FieldText.h"
#include "core/results/ResultList.h"

#include <QAbstractTableModel>
#include <QColor>
#include <span>
#include <vector>

namespace hollowsweep::app {

// One column of the list: its caption, the record's field it shows (resolved
// once, when the columns are set up), its background and its alignment.
struct ColumnLook {
    QString Caption;
    FieldIndex Field = FileName;
    QColor Background;
    Qt::Alignment Alignment = Qt::AlignLeft;
};

// The result list as the view sees it. It holds the core result list, where
// the entries and their check marks live, keeps nothing per entry and only
// answers the view's questions. One column carries the check boxes: the one
// the view shows first, so that hiding or moving columns never hides them.
class ResultListModel final : public QAbstractTableModel, public IResultListObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultListModel)

public:
    // The hint of every row: what a double click does.
    static QString Hint();

    explicit ResultListModel(QObject* parent);

    ResultList& List() noexcept { return list_; }
    void SetColumns(std::vector<ColumnLook> columns);
    const std::vector<ColumnLook>& Columns() const noexcept { return columns_; }
    // The column, by its index in the model, that carries the check boxes.
    void SetCheckColumn(int column);
    int CheckColumn() const noexcept { return checkColumn_; }
    // The list's entry in a row of the view.
    std::size_t EntryOf(int row) const;
    // Sets the check of every row in the ranges, as one change.
    void SetRowsChecked(std::span<const EntryRange> rows, bool checked);
    // The user's separators, for the sizes shown.
    void SetNumberFormat(NumberFormat numbers) { numbers_ = std::move(numbers); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void ListBeginUpdate() override;
    void ListEndUpdate() override;
    void ListChecksChanged() override;

private:
    QString CellText(const ResultEntry& entry, const ColumnLook& column) const;

    ResultList list_;
    NumberFormat numbers_;
    std::vector<ColumnLook> columns_;
    int checkColumn_ = 0;
};

} // namespace hollowsweep::app
