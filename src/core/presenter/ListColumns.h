#pragma once

#include "core/config/ConfigBinding.h"
#include "core/results/FieldCatalog.h"
#include "core/results/ResultList.h"
#include "core/results/ResultRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace hollowsweep {

enum class ColumnAlign { Left, Right, Center };

// One column of the result list, as its node in the configuration has it.
struct ListColumn {
    std::string Name;
    FieldIndex Field = 0;
    // None until read: the view's default.
    std::optional<int> Width;
    bool Visible = true;
    // Its place among the shown columns, as stored; a view clamps it.
    int Position = 0;
    bool ReadOnly = false;
    ColumnAlign Align = ColumnAlign::Left;
};

// Where a view has a column now, to be stored in its node.
struct ColumnPlacement {
    int Width = 0;
    bool Visible = true;
    int Position = 0;
};

// The list's columns in node order. A column is made as far as its node
// could be read: when a value cannot be, columns holds the columns before it
// and this one as far as it was read, and the error is raised.
void ReadListColumns(ConfigRoot& root, std::vector<ListColumn>& columns);

// Stores each column's placement into its node, in node order.
void StoreListColumns(ConfigRoot& root, const std::vector<ColumnPlacement>& placements);

// The header's sorting: each click sorts ascending unless the last sort was
// ascending, whatever the column.
class ListSorting {
public:
    SortDirection Click(int column);
    std::optional<int> Column() const noexcept { return column_; }
    SortDirection Direction() const noexcept { return direction_; }
    // A new list comes in its own order.
    void Forget() noexcept { column_.reset(); }

private:
    std::optional<int> column_;
    SortDirection direction_ = SortDirection::Ascending;
};

// The folder to open for an entry: the entry's own path, or for a file the
// folder that holds it; empty when there is none.
std::string FolderToOpen(const ResultRecord& record);

} // namespace hollowsweep
