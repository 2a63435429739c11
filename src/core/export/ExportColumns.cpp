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

} // namespace hollowsweep
