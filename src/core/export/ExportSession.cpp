#include "core/export/ExportSession.h"

#include "core/errors/Errors.h"
#include "core/export/DelimitedText.h"
#include "core/export/ExcelExport.h"
#include "core/export/HTMLReport.h"
#include "core/export/ResultDocument.h"
#include "core/export/Workbook.h"
#include "core/platform/FileReplacement.h"
#include "core/platform/WholeFile.h"
#include "core/product/Messages.h"

#include <cerrno>
#include <unistd.h>

namespace hollowsweep {

template <class WriteBody>
bool ExportSession::SaveWith(std::string_view defaultExt, std::string_view filter,
                             WriteBody write) {
    const std::string path = AskSaveFileName(ui_, defaultExt, filter);
    if (path.empty()) {
        return false;
    }
    const WaitScope wait(ui_, Tr("Export to file.."));
    write(path);
    return true;
}

bool ExportSession::SaveToHTML(const ResultList& list) {
    return SaveWith(".htm", Tr("HTML File|*.htm"),
                    [&](const std::string& path) { WriteHTMLFile(path, list, ExportColumns); });
}

bool ExportSession::SaveToText(std::string_view separator, const ResultList& list) {
    return SaveWith(".txt", Tr("Text File|*.txt"), [&](const std::string& path) {
        WriteDelimitedFile(path, list, ExportColumns, separator);
    });
}

bool ExportSession::SaveToCSV(std::string_view separator, const ResultList& list) {
    return SaveWith(".csv", Tr("CSV File|*.csv"), [&](const std::string& path) {
        WriteDelimitedFile(path, list, ExportColumns, separator);
    });
}

void ExportSession::ResetXMLDoc() {
    hollowsweep::ResetXMLDoc(*XMLDoc);
}

XMLNodePtr ExportSession::GetRootNode() {
    return hollowsweep::GetRootNode(*XMLDoc);
}

void ExportSession::BuildXMLDoc(const ResultList& list) {
    hollowsweep::BuildXMLDoc(*XMLDoc, list, ui_);
}

bool ExportSession::SaveToXML() {
    return SaveWith(".xml", Tr("XML File|*.XML"),
                    [&](const std::string& path) { SaveXMLDocToFile(path); });
}

void ExportSession::SaveXMLDocToFile(const std::string& path) {
    XMLDoc->SaveToFile(path);
}

bool ExportSession::SaveToExcel() {
    const XMLNodePtr root = GetRootNode();
    // The title row and the header row come before the data rows.
    if (CountXMLNodes(*root) + 2 > WorkbookRowLimit) {
        ui_.ShowMessage(Tr("The row count is out of excel range."), Tr("Warning"),
                        MessageIcon::Warning);
        return false;
    }
    return SaveWith(".xlsx", Tr("EXCEL File|*.xlsx"), [&](const std::string& path) {
        WriteWorkbookFile(path, *root, ExportColumns);
    });
}

void WriteHTMLFile(const std::string& path, const ResultList& list,
                   const std::vector<std::string>& columns) {
    TextOutput file(path);
    WriteHTML(file, list, columns, path);
    file.Append("\r\n");
    file.Close();
}

void WriteDelimitedFile(const std::string& path, const ResultList& list,
                        const std::vector<std::string>& columns, std::string_view separator) {
    TextOutput file(path);
    WriteDelimitedText(file, list, columns, separator, QuotingFor(separator));
    file.Close();
}

void WriteWorkbookFile(const std::string& path, const XMLNode& root,
                       const std::vector<std::string>& columns) {
    FileReplacement replacement(path);
    // Made here, so that a missing folder or a bad name is told in the system's words.
    const FileDescriptor target = replacement.Create();
    // A workbook is a zip archive, written with seeks: a pipe or a terminal
    // cannot take one, which is told before anything is written.
    if (replacement.WritesDirectly() && ::lseek(target.Get(), 0, SEEK_CUR) < 0) {
        throw IOError(path, errno, "cannot write the workbook");
    }
    const auto workbook = CreateWorkbook();
    FillWorkbook(*workbook, root, columns, GetCatalogName(path), CountXMLNodes(root) + 1);
    try {
        workbook->SaveAs(replacement.Path());
    } catch (const IOError& error) {
        throw IOError(path, error.Code(), "cannot write the workbook");
    }
    workbook->Close();
    replacement.Commit();
}

} // namespace hollowsweep
