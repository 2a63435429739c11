#pragma once

#include "core/config/XMLDocument.h"
#include "core/export/ExportUI.h"
#include "core/results/ResultList.h"

#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// One export: asks for the target, shows the wait window while it writes, and
// tells whether a file was written. Every save returns false when it stopped
// before writing (cancelled, or too many rows for a workbook).
class ExportSession final {
public:
    explicit ExportSession(IExportUI& ui)
        : ui_(ui) {}

    // The result document, lent by the caller.
    XMLDocument* XMLDoc = nullptr;
    // The exported columns' names in export order.
    std::vector<std::string> ExportColumns;

    bool SaveToHTML(const ResultList& list);
    bool SaveToText(std::string_view separator, const ResultList& list);
    bool SaveToCSV(std::string_view separator, const ResultList& list);

    void ResetXMLDoc();
    XMLNodePtr GetRootNode();
    void BuildXMLDoc(const ResultList& list);
    bool SaveToXML();
    void SaveXMLDocToFile(const std::string& path);

    // Writes the result document's rows to a workbook.
    bool SaveToExcel();

private:
    template <class WriteBody>
    bool SaveWith(std::string_view defaultExt, std::string_view filter, WriteBody write);

    IExportUI& ui_;
};

// What each export writes once the target is chosen; the command-line tool
// writes its files through these too.
void WriteHTMLFile(const std::string& path, const ResultList& list,
                   const std::vector<std::string>& columns);
void WriteDelimitedFile(const std::string& path, const ResultList& list,
                        const std::vector<std::string>& columns, std::string_view separator);
void WriteWorkbookFile(const std::string& path, const XMLNode& root,
                       const std::vector<std::string>& columns);

} // namespace hollowsweep
