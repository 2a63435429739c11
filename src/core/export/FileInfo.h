#pragma once

#include "config/XMLDocument.h"
#include "export/ExportUI.h"
#include "results/ResultList.h"

#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

// One export: asks for the target, shows the wait window while it writes, and
// tells whether a file was written. Every save returns false when it stopped
// before writing (cancelled, or too many rows for a workbook).
class TFileInfo final {
public:
    explicit TFileInfo(IExportUI& ui)
        : ui_(ui) {}

    // The result document, lent by the caller.
    TXMLDocument* XMLDoc = nullptr;
    // The exported columns' names in export order.
    std::vector<std::string> ExportColumns;

    bool SaveToHTML(const TResultList& list);
    bool SaveToText(std::string_view separator, const TResultList& list);
    bool SaveToCSV(std::string_view separator, const TResultList& list);

    void ResetXMLDoc();
    TXMLNodeHandle GetRootNode();
    void BuildXMLDoc(const TResultList& list);
    bool SaveToXML();
    void SaveXMLDocToFile(const std::string& path);

    // Writes the result document's rows to a workbook.
    bool SaveToExcel();

private:
    template <class TWrite>
    bool SaveWith(std::string_view defaultExt, std::string_view filter, TWrite write);

    IExportUI& ui_;
};

// What each export writes once the target is chosen; the command-line tool
// writes its files through these too.
void WriteHTMLFile(const std::string& path, const TResultList& list,
                   const std::vector<std::string>& columns);
void WriteDelimitedFile(const std::string& path, const TResultList& list,
                        const std::vector<std::string>& columns, std::string_view separator);
void WriteWorkbookFile(const std::string& path, const TXMLNode& root,
                       const std::vector<std::string>& columns);

} // namespace hollowsweep
