#pragma once

#include "core/results/ResultList.h"

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

namespace hollowsweep::app {

// Answers for each cell of the list what it shows; the controller does it
// from the configuration and the field catalogue.
class ICellTextSource {
public:
    virtual ~ICellTextSource() = default;
    virtual QString CellText(const ResultRecord& record, int column) const = 0;
    virtual QString Hint() const = 0;
};

// How one column looks: its caption, background and alignment.
struct ColumnLook {
    QString Caption;
    QColor Background;
    Qt::Alignment Alignment = Qt::AlignLeft;
};

// The result list as the view sees it. The entries and their check marks live
// in the core list; this model keeps nothing per entry and only answers the
// view's questions. Column 0 carries the check boxes.
class ResultListModel final : public QAbstractTableModel, public IResultListObserver {
public:
    ResultListModel(ResultList& list, QObject* parent);
    ~ResultListModel() override;

    void SetCellTextSource(const ICellTextSource* source) noexcept { source_ = source; }
    void SetColumns(std::vector<ColumnLook> columns);
    const std::vector<ColumnLook>& Columns() const noexcept { return columns_; }
    ResultList& List() noexcept { return list_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void ListBeginUpdate() override;
    void ListEndUpdate() override;

private:
    ResultList& list_;
    const ICellTextSource* source_ = nullptr;
    std::vector<ColumnLook> columns_;
};

} // namespace hollowsweep::app
