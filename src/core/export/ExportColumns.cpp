#include "core/export/ExportColumns.h"

namespace hollowsweep {

std::vector<std::string> GetExportColumns(ConfigRoot& root) {
    std::vector<std::string> columns;
    const ColumnSettingsPtr nodes = root.GetNodes();
    for (int position = 0; position < nodes->Count(); ++position) {
        const ColumnSettingPtr node = nodes->Item(position);
        if (node->GetVisible()) {
            columns.push_back(node->GetName());
        }
    }
    return columns;
}

std::vector<FieldIndex> FieldsOfColumns(const std::vector<std::string>& columns) {
    std::vector<FieldIndex> fields;
    fields.reserve(columns.size());
    for (const auto& name : columns) {
        fields.push_back(FieldIndexOf(name));
    }
    return fields;
}

std::size_t FieldTextSize(const ResultList& list, const std::vector<FieldIndex>& fields) {
    std::size_t size = 0;
    for (const auto& entry : list) {
        for (const FieldIndex field : fields) {
            size += entry.Record.Field(field).size();
        }
    }
    return size;
}

} // namespace hollowsweep
