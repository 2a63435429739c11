#include "cli/CommandOutput.h"
#include "cli/Commands.h"
#include "cli/Interruption.h"
#include "cli/ScanExport.h"
#include "core/platform/TextOutput.h"
#include "core/product/Messages.h"

#include <optional>
#include <string>

namespace hollowsweep::cli {

namespace {

ResultList ScanIntoList(const ScanRequest& request, ExitStatus& status) {
    ResultList list;
    status = ScanFolders(request.Folders, request.Walk, [&list](const EmptyFolder& found) {
        list.Append(ResultRecord::ForFolder(found.Path), found.Identity);
    });
    return list;
}

// Starts the output file. A pipe opens only once it has a reader; until then
// a signal ends the wait.
void OpenOutput(std::optional<TextOutput>& file, const std::string& path) {
    const WaitBeforeWork wait(IsPipe(path));
    file.emplace(path);
}

ExitStatus ScanAndExport(const ScanRequest& request, const ExportFormat& format,
                         const std::vector<std::string>& columns) {
    if (format.NeedsFile && ToStandardOutput(request.Output)) {
        ReportError("--format " + request.Format, Tr("needs --output FILE"));
        return ExitUsage;
    }
    ExitStatus status = ExitOk;
    const ResultList list = ScanIntoList(request, status);
    if (status == ExitInterrupted) {
        return status;
    }
    {
        const WaitBeforeWork wait(IsPipe(request.Output));
        WriteExport(format, list, columns, request.Output);
    }
    const ExitStatus flushed = FlushOutput();
    return flushed != ExitOk ? flushed : status;
}

// The file is opened before the scan, so a target that cannot be written is
// named before a long walk rather than after it.
ExitStatus ScanToFile(const ScanRequest& request, char terminator) {
    std::optional<TextOutput> file;
    OpenOutput(file, request.Output);
    const ExitStatus status =
        ScanFolders(request.Folders, request.Walk, [&file, terminator](const EmptyFolder& found) {
            file->Append(found.Path);
            file->Append(terminator);
        });
    // A stopped scan leaves the target as it was, and no temporary file.
    if (status != ExitInterrupted) {
        file->Close();
    }
    return status;
}

// One line a kept folder: its path, a tab, the reason.
ExitStatus ListProtected(const ScanRequest& request, char terminator) {
    if (!request.Walk.Rules.ProtectFolders) {
        ReportError("--list-protected", Tr("not with --no-protect"));
        return ExitUsage;
    }
    std::optional<TextOutput> file;
    if (!ToStandardOutput(request.Output)) {
        OpenOutput(file, request.Output);
    }
    std::string line;
    const ExitStatus status = ScanFolders(
        request.Folders, request.Walk, [](const EmptyFolder&) {},
        [&](std::string_view path, const Protection& protection) {
            line.assign(path);
            line += '\t';
            line += ProtectionReason(protection);
            if (file) {
                file->Append(line);
                file->Append(terminator);
            } else {
                WritePath(line, terminator);
            }
        });
    if (file && status != ExitInterrupted) {
        file->Close();
    }
    const ExitStatus flushed = FlushOutput();
    return flushed != ExitOk ? flushed : status;
}

} // namespace

ExitStatus RunScan(const ScanRequest& request) {
    // Every export has its own layout, so a NUL that would change nothing is
    // refused rather than let the user think it took effect.
    if (request.NullSeparated && request.Format != "list") {
        ReportError("--null", Tr("not with --format ") + request.Format);
        return ExitUsage;
    }
    if (request.ListProtected && request.Format != "list") {
        ReportError("--list-protected", Tr("not with --format ") + request.Format);
        return ExitUsage;
    }
    if (!AllAreFolders(request.Folders)) {
        return ExitUsage;
    }
    // A bad configuration is refused before the scan, whatever the format.
    const std::vector<std::string> columns = LoadExportColumns(request.ConfigFile);
    if (const ExportFormat* format = FindExportFormat(request.Format)) {
        return ScanAndExport(request, *format, columns);
    }
    const char terminator = request.NullSeparated ? '\0' : '\n';
    if (request.ListProtected) {
        return ListProtected(request, terminator);
    }
    if (!ToStandardOutput(request.Output)) {
        return ScanToFile(request, terminator);
    }
    const ExitStatus status =
        ScanFolders(request.Folders, request.Walk,
                    [terminator](const EmptyFolder& found) { WritePath(found.Path, terminator); });
    const ExitStatus flushed = FlushOutput();
    return flushed != ExitOk ? flushed : status;
}

} // namespace hollowsweep::cli
