#pragma once

#include "results/ResultList.h"

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

namespace hollowsweep::app {

// Answers for each cell of the list what it shows; the controller does it
// from the configuration and the field catalogue.
class ICellTextSource {
public:
    virtual ~ICellTextSource() = default;
    virtual QString CellText(const TResultRecord& record, int column) const = 0;
    virtual QString Hint() const = 0;
};

// How one column looks: its caption, background and alignment.
struct TColumnLook {
    QString Caption;
    QColor Background;
    Qt::Alignment Alignment = Qt::AlignLeft;
};

// The result list as the view sees it. The entries and their check marks live
// in the core list; this model keeps nothing per entry and only answers the
// view's questions. Column 0 carries the check boxes.
class TResultListModel final : public QAbstractTableModel, public IResultListObserver {
public:
    TResultListModel(TResultList& list, QObject* parent);
    ~TResultListModel() override;

    void SetCellTextSource(const ICellTextSource* source) noexcept { source_ = source; }
    void SetColumns(std::vector<TColumnLook> columns);
    const std::vector<TColumnLook>& Columns() const noexcept { return columns_; }
    TResultList& List() noexcept { return list_; }

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
    TResultList& list_;
    const ICellTextSource* source_ = nullptr;
    std::vector<TColumnLook> columns_;
};

} // namespace hollowsweep::app
