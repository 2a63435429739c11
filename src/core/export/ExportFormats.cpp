#include "core/export/ExportFormats.h"

#include "core/errors/Errors.h"
#include "core/export/DelimitedText.h"
#include "core/export/ExcelExport.h"
#include "core/export/ExportUI.h"
#include "core/export/HTMLReport.h"
#include "core/export/JSONExport.h"
#include "core/export/ResultDocument.h"
#include "core/platform/FileReplacement.h"
#include "core/platform/TextOutput.h"
#include "core/platform/WholeFile.h"
#include "core/product/Messages.h"

#include <algorithm>
#include <cerrno>
#include <memory>

namespace hollowsweep {

namespace {

// The text of an export, going to its file or to standard output.
std::unique_ptr<TextOutput> OpenText(const std::string& target) {
    if (target.empty()) {
        return std::make_unique<TextOutput>(STDOUT_FILENO, Tr("standard output"));
    }
    return std::make_unique<TextOutput>(target);
}

void WriteHTMLExport(const std::string& target, const ExportSource& source) {
    const auto out = OpenText(target);
    // The report's title is the file's name; on standard output it has none.
    WriteHTML(*out, source.List, source.Columns, target);
    out->Append("\r\n");
    out->Close();
}

void WriteDelimitedExport(const std::string& target, const ExportSource& source,
                          std::string_view separator) {
    const auto out = OpenText(target);
    WriteDelimitedText(*out, source.List, source.Columns, separator, QuotingFor(separator));
    out->Close();
}

void WriteTextExport(const std::string& target, const ExportSource& source) {
    WriteDelimitedExport(target, source, TextSeparator);
}

void WriteCSVExport(const std::string& target, const ExportSource& source) {
    WriteDelimitedExport(target, source, CSVSeparator);
}

void WriteXMLExport(const std::string& target, const ExportSource& source) {
    const auto out = OpenText(target);
    source.Document->Write(*out);
    out->Close();
}

void WriteJSONExport(const std::string& target, const ExportSource& source) {
    const auto out = OpenText(target);
    WriteJSON(*out, source.List);
    out->Close();
}

void WriteWorkbookExport(const std::string& target, const ExportSource& source) {
    FileReplacement replacement(target);
    // Made here, so that a missing folder or a bad name is told in the system's words.
    const OwnedHandle file = replacement.Create();
    // A workbook is a zip archive, written with seeks: a pipe or a terminal
    // cannot take one, which is told before anything is written.
    if (const int error = replacement.WritesDirectly() ? WhyNotSeekable(file.Get()) : 0;
        error != 0) {
        throw IOError(target, error, "cannot write the workbook");
    }
    const XMLNodePtr root = source.Document->DocumentElement();
    const auto workbook = CreateWorkbook();
    FillWorkbook(*workbook, *root, source.Columns, GetCatalogName(target),
                 CountXMLNodes(*root) + 1);
    try {
        workbook->SaveAs(replacement.Path());
    } catch (const IOError& error) {
        throw IOError(target, error.Code(), "cannot write the workbook");
    }
    workbook->Close();
    replacement.Commit();
}

// A sheet's rows hold the title and the header before the entries.
constexpr std::size_t WorkbookEntryLimit = WorkbookRowLimit - 2;

constexpr ExportFormat Formats[] = {
    {"html", ".htm", TrNoop("HTML File|*.htm"), TrNoop("Export To HTML"), "export-html", false,
     false, 0, WriteHTMLExport},
    {"txt", ".txt", TrNoop("Text File|*.txt"), TrNoop("Export To Text"), "export-text", false,
     false, 0, WriteTextExport},
    {"xlsx", ".xlsx", TrNoop("EXCEL File|*.xlsx"), TrNoop("Export To Excel"), "export-excel", true,
     true, WorkbookEntryLimit, WriteWorkbookExport},
    {"csv", ".csv", TrNoop("CSV File|*.csv"), TrNoop("Export To SCV"), "export-csv", false, false,
     0, WriteCSVExport},
    {"xml", ".xml", TrNoop("XML File|*.XML"), TrNoop("Export To XML"), "export-xml", true, false, 0,
     WriteXMLExport},
    // For scripts only, so not in the window's menu.
    {"json", ".json", TrNoop("JSON File|*.json"), nullptr, {}, false, false, 0, WriteJSONExport},
};

} // namespace

std::span<const ExportFormat> ExportFormats() {
    return Formats;
}

const ExportFormat* FindExportFormat(std::string_view name) {
    const auto* found =
        std::find_if(std::begin(Formats), std::end(Formats),
                     [name](const ExportFormat& format) { return format.Name == name; });
    return found == std::end(Formats) ? nullptr : found;
}

} // namespace hollowsweep
