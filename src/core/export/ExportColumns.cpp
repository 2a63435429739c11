#include "core/export/ExportColumns.h"

namespace hollowsweep {

std::vector<std::string> GetExportColumns(ConfigRoot& root) {
    std::vector<std::string> columns;
    const ColumnSettingsPtr nodes = root.GetNodes();
    // One walk over the children: counting and finding items by position
    // passes every sibling before them again, so a file of many thousands of
    // columns would take hours.
    for (XMLNodePtr child = nodes->FirstChild(); child; child = child->NextSibling()) {
        if (child->IsElement() && child->Name() == nodes->ItemTag()) {
            const ColumnSettingPtr node = child->As<ColumnSetting>();
            if (node->GetVisible()) {
                columns.push_back(node->GetName());
            }
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
