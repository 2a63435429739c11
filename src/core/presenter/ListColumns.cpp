#include "core/presenter/ListColumns.h"

namespace hollowsweep {

namespace {

ColumnAlign AlignOf(const std::string& align) {
    if (align == "right") {
        return ColumnAlign::Right;
    }
    if (align == "center") {
        return ColumnAlign::Center;
    }
    return ColumnAlign::Left;
}

} // namespace

void ReadListColumns(ConfigRoot& root, std::vector<ListColumn>& columns) {
    columns.clear();
    const auto nodes = root.GetNodes();
    const int count = nodes->Count();
    for (int n = 0; n < count; ++n) {
        const ColumnSettingPtr node = nodes->Item(n);
        ListColumn& column = columns.emplace_back();
        column.Name = node->GetName();
        column.Field = FieldIndexOf(column.Name);
        column.Width = node->GetWidth();
        column.ReadOnly = node->GetReadOnly();
        column.Align = AlignOf(node->GetAlign());
        column.Visible = node->GetVisible();
        column.Position = node->GetIndex();
    }
}

void StoreListColumns(ConfigRoot& root, const std::vector<ColumnPlacement>& placements) {
    const auto nodes = root.GetNodes();
    for (std::size_t n = 0; n < placements.size(); ++n) {
        const ColumnSettingPtr node = nodes->Item(static_cast<int>(n));
        node->SetWidth(placements[n].Width);
        node->SetVisible(placements[n].Visible);
        node->SetIndex(placements[n].Position);
    }
}

SortDirection ListSorting::Click(int column) {
    direction_ = !column_ || direction_ == SortDirection::Descending ? SortDirection::Ascending
                                                                     : SortDirection::Descending;
    column_ = column;
    return direction_;
}

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

} // namespace hollowsweep
