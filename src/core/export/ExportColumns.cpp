#include "export/ExportColumns.h"

namespace hollowsweep {

std::vector<std::string> GetExportColumns(TXMLConfigType& root) {
    std::vector<std::string> columns;
    const IXMLNodesType nodes = root.GetNodes();
    for (int position = 0; position < nodes->Count(); ++position) {
        const IXMLNodeType node = nodes->Item(position);
        if (node->GetVisible()) {
            columns.push_back(node->GetName());
        }
    }
    return columns;
}

std::vector<TFieldIndex> FieldsOfColumns(const std::vector<std::string>& columns) {
    std::vector<TFieldIndex> fields;
    for (const auto& name : columns) {
        fields.push_back(FieldIndexOf(name));
    }
    return fields;
}

std::size_t FieldTextSize(const TResultList& list, const std::vector<TFieldIndex>& fields) {
    std::size_t size = 0;
    for (const auto& entry : list) {
        for (const TFieldIndex field : fields) {
            size += entry.Record.Field(field).size();
        }
    }
    return size;
}

} // namespace hollowsweep
