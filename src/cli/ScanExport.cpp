#include "cli/ScanExport.h"

#include "core/config/ConfigBinding.h"
#include "core/config/DefaultConfig.h"
#include "core/errors/Errors.h"
#include "core/export/DelimitedText.h"
#include "core/export/ExportColumns.h"
#include "core/export/ExportSession.h"
#include "core/export/HTMLReport.h"
#include "core/export/ResultDocument.h"

#include <cerrno>
#include <cstdio>

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
        throw IOError("standard output", errno, "cannot write");
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

void WriteWorkbook(const ResultList& list, const std::vector<std::string>& columns,
                   const std::string& output) {
    XMLDocument document = ResultDocumentOf(list);
    WriteWorkbookFile(output, *GetRootNode(document), columns);
}

} // namespace

std::vector<std::string> LoadExportColumns(const std::string& configFile) {
    if (configFile.empty()) {
        return GetExportColumns(*ParseConfig(DefaultConfigText, "default configuration"));
    }
    const ConfigRootPtr root = LoadConfig(configFile);
    try {
        return GetExportColumns(*root);
    } catch (const HollowsweepError& error) {
        throw HollowsweepError(configFile + ": " + error.what());
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
    } else {
        WriteWorkbook(list, columns, output);
    }
}

} // namespace hollowsweep::cli
