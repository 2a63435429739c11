#include "cli/ScanExport.h"

#include "core/config/ConfigBinding.h"
#include "core/config/DefaultConfig.h"
#include "core/errors/Errors.h"
#include "core/export/DelimitedText.h"
#include "core/export/ExportColumns.h"
#include "core/export/ExportSession.h"
#include "core/export/HTMLReport.h"
#include "core/export/JSONExport.h"
#include "core/export/ResultDocument.h"
#include "core/platform/TextOutput.h"
#include "core/platform/WholeFile.h"
#include "core/product/Messages.h"

#include <cerrno>
#include <cstdio>
#include <new>

namespace hollowsweep::cli {

namespace {

// Nothing to ask and no window to show: the target is on the command line.
class SilentExportUI final : public IExportUI {
public:
    std::string ChooseSaveFile(std::string_view, std::string_view) override { return {}; }
    bool AskYesNo(std::string_view, std::string_view) override { return false; }
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    void ShowWaitForm(bool) override {}
    void SetWaitMessage(std::string_view) override {}
};

void WriteStandardOutput(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
        throw IOError(Tr("standard output"), errno, "cannot write");
    }
}

std::string_view SeparatorOf(const std::string& format) {
    return format == "csv" ? CSVSeparator : TextSeparator;
}

XMLDocument ResultDocumentOf(const ResultList& list) {
    XMLDocument document;
    SilentExportUI ui;
    ResetXMLDoc(document);
    BuildXMLDoc(document, list, ui);
    return document;
}

void WriteXML(const ResultList& list, const std::string& output) {
    const XMLDocument document = ResultDocumentOf(list);
    if (ToStandardOutput(output)) {
        WriteStandardOutput(document.Text());
    } else {
        document.SaveToFile(output);
    }
}

void WriteJSONExport(const ResultList& list, const std::string& output) {
    if (ToStandardOutput(output)) {
        TextOutput text;
        WriteJSON(text, list);
        WriteStandardOutput(text.Text());
    } else {
        TextOutput file(output);
        WriteJSON(file, list);
        file.Close();
    }
}

void WriteWorkbook(const ResultList& list, const std::vector<std::string>& columns,
                   const std::string& output) {
    XMLDocument document = ResultDocumentOf(list);
    WriteWorkbookFile(output, *GetRootNode(document), columns);
}

// A configuration takes a few kilobytes. Whatever is far larger is not one,
// and reading it whole could take all the memory there is (/dev/zero never ends).
constexpr std::size_t ConfigSizeLimit = std::size_t{16} << 20;

std::string ReadConfigText(const std::string& path) {
    std::optional<std::string> text = ReadFileWithin(path, ConfigSizeLimit);
    if (!text) {
        throw HollowsweepError(path + ": " + Tr("larger than 16 MiB, not a configuration file"));
    }
    return std::move(*text);
}

std::vector<std::string> ColumnsOfFile(const std::string& path) {
    const ConfigRootPtr root = ParseConfig(ReadConfigText(path), path);
    try {
        return GetExportColumns(*root);
    } catch (const HollowsweepError& error) {
        throw HollowsweepError(path + ": " + error.what());
    }
}

} // namespace

std::vector<std::string> LoadExportColumns(const std::string& configFile) {
    if (configFile.empty()) {
        return GetExportColumns(*ParseConfig(DefaultConfigText, "default configuration"));
    }
    // Even within the size limit, a document of millions of elements can
    // need more memory than there is; that is this file's fault, so it is named.
    try {
        return ColumnsOfFile(configFile);
    } catch (const std::bad_alloc&) {
        throw HollowsweepError(configFile + ": " + Tr("not enough memory to read it"));
    }
}

bool NeedsFile(const std::string& format) {
    return format == "xlsx";
}

bool ToStandardOutput(const std::string& output) {
    return output.empty() || output == "-";
}

void WriteExport(const std::string& format, const ResultList& list,
                 const std::vector<std::string>& columns, const std::string& output) {
    const bool toStandardOutput = ToStandardOutput(output);
    if (format == "html") {
        toStandardOutput ? WriteStandardOutput(BuildHTML(list, columns, {}) + "\r\n")
                         : WriteHTMLFile(output, list, columns);
    } else if (format == "txt" || format == "csv") {
        toStandardOutput ? WriteStandardOutput(BuildDelimitedText(
                               list, columns, SeparatorOf(format), QuotingFor(SeparatorOf(format))))
                         : WriteDelimitedFile(output, list, columns, SeparatorOf(format));
    } else if (format == "xml") {
        WriteXML(list, output);
    } else if (format == "json") {
        WriteJSONExport(list, output);
    } else {
        WriteWorkbook(list, columns, output);
    }
}

} // namespace hollowsweep::cli
