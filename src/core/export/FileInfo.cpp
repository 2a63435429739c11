#include "export/FileInfo.h"

#include "export/DelimitedText.h"
#include "export/ExcelExport.h"
#include "export/HTMLReport.h"
#include "export/ResultDocument.h"
#include "export/Workbook.h"
#include "platform/WholeFile.h"

#include <unistd.h>

namespace hollowsweep {

template <class TWrite>
bool TFileInfo::SaveWith(std::string_view defaultExt, std::string_view filter, TWrite write) {
    const std::string path = AskSaveFileName(ui_, defaultExt, filter);
    if (path.empty()) {
        return false;
    }
    const TWaitScope wait(ui_, "Export to file..");
    write(path);
    return true;
}

bool TFileInfo::SaveToHTML(const TResultList& list) {
    return SaveWith(".htm", "HTML File|*.htm",
                    [&](const std::string& path) { WriteHTMLFile(path, list, ExportColumns); });
}

bool TFileInfo::SaveToText(std::string_view separator, const TResultList& list) {
    return SaveWith(".txt", "Text File|*.txt", [&](const std::string& path) {
        WriteDelimitedFile(path, list, ExportColumns, separator);
    });
}

bool TFileInfo::SaveToCSV(std::string_view separator, const TResultList& list) {
    return SaveWith(".csv", "CSV File|*.csv", [&](const std::string& path) {
        WriteDelimitedFile(path, list, ExportColumns, separator);
    });
}

void TFileInfo::ResetXMLDoc() {
    hollowsweep::ResetXMLDoc(*XMLDoc);
}

TXMLNodeHandle TFileInfo::GetRootNode() {
    return hollowsweep::GetRootNode(*XMLDoc);
}

void TFileInfo::BuildXMLDoc(const TResultList& list) {
    hollowsweep::BuildXMLDoc(*XMLDoc, list, ui_);
}

bool TFileInfo::SaveToXML() {
    return SaveWith(".xml", "XML File|*.XML",
                    [&](const std::string& path) { SaveXMLDocToFile(path); });
}

void TFileInfo::SaveXMLDocToFile(const std::string& path) {
    ::unlink(path.c_str());
    XMLDoc->SaveToFile(path);
}

bool TFileInfo::SaveToExcel() {
    const TXMLNodeHandle root = GetRootNode();
    // The title row and the header row come before the data rows.
    if (CountXMLNodes(*root) + 2 > WorkbookRowLimit) {
        ui_.ShowMessage("The row count is out of excel range.", "Warning", TMessageIcon::Warning);
        return false;
    }
    return SaveWith(".xlsx", "EXCEL File|*.xlsx", [&](const std::string& path) {
        WriteWorkbookFile(path, *root, ExportColumns);
    });
}

void WriteHTMLFile(const std::string& path, const TResultList& list,
                   const std::vector<std::string>& columns) {
    TTextOutput file(path);
    WriteHTML(file, list, columns, path);
    file.Append("\r\n");
    file.Close();
}

void WriteDelimitedFile(const std::string& path, const TResultList& list,
                        const std::vector<std::string>& columns, std::string_view separator) {
    TTextOutput file(path);
    WriteDelimitedText(file, list, columns, separator, QuotingFor(separator));
    file.Close();
}

void WriteWorkbookFile(const std::string& path, const TXMLNode& root,
                       const std::vector<std::string>& columns) {
    const auto workbook = CreateWorkbook();
    FillWorkbook(*workbook, root, columns, GetCatalogName(path), CountXMLNodes(root) + 1);
    workbook->SaveAs(path);
    workbook->Close();
}

} // namespace hollowsweep
