#include "CommandOutput.h"
#include "Commands.h"
#include "ScanExport.h"

namespace hollowsweep::cli {

namespace {

TResultList ScanIntoList(const TScanRequest& request) {
    TResultList list;
    ScanFolders(request.Folders, request.Quiet, request.Threads, [&list](const EmptyFolder& found) {
        list.Append(TResultRecord::ForFolder(found.Path), found.Identity);
    });
    return list;
}

TExitStatus ScanAndExport(const TScanRequest& request, const std::vector<std::string>& columns) {
    if (NeedsFile(request.Format) && (request.Output.empty() || request.Output == "-")) {
        ReportError("--format " + request.Format, "needs --output FILE");
        return ExitUsage;
    }
    WriteExport(request.Format, ScanIntoList(request), columns, request.Output);
    return FlushOutput();
}

} // namespace

TExitStatus RunScan(const TScanRequest& request) {
    if (!AllAreFolders(request.Folders)) {
        return ExitUsage;
    }
    // A bad configuration is refused before the scan, whatever the format.
    const std::vector<std::string> columns = LoadExportColumns(request.ConfigFile);
    if (request.Format != "list") {
        return ScanAndExport(request, columns);
    }
    const char terminator = request.NullSeparated ? '\0' : '\n';
    ScanFolders(request.Folders, request.Quiet, request.Threads,
                [terminator](const EmptyFolder& found) { WritePath(found.Path, terminator); });
    return FlushOutput();
}

} // namespace hollowsweep::cli
