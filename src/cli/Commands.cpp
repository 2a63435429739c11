#include "Commands.h"

#include "ProgressLine.h"
#include "ScanExport.h"
#include "errors/Errors.h"
#include "platform/FolderPaths.h"
#include "results/DeleteChecked.h"
#include "scan/FileReader.h"

#include <cstdio>
#include <string_view>

namespace hollowsweep::cli {

namespace {

void ReportError(std::string_view subject, std::string_view reason) {
    std::fprintf(stderr, "%s: %.*s: %.*s\n", ProgramName, static_cast<int>(subject.size()),
                 subject.data(), static_cast<int>(reason.size()), reason.data());
}

// Names the first argument that is not an existing folder.
bool AllAreFolders(const std::vector<std::string>& folders) {
    for (const auto& folder : folders) {
        if (!IsExistingFolder(folder)) {
            ReportError(folder, "not a folder");
            return false;
        }
    }
    return true;
}

void WritePath(std::string_view path, char terminator) {
    std::fwrite(path.data(), 1, path.size(), stdout);
    std::fputc(terminator, stdout);
}

TExitStatus FlushOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        ReportError("standard output", SystemErrorText(errno));
        return ExitUsage;
    }
    return ExitOk;
}

// Walks every folder, keeping the progress line in step with the output.
void ScanFolders(const std::vector<std::string>& folders, bool quiet,
                 const TEmptyFolderSink& sink) {
    TProgressLine progress(quiet);
    TScanOptions options;
    options.Progress = progress.Callback();
    ForEachEmptyFolder(folders, options, [&](std::string_view path) {
        progress.Clear();
        sink(path);
    });
}

TResultList ScanIntoList(const std::vector<std::string>& folders, bool quiet) {
    TResultList list;
    ScanFolders(folders, quiet,
                [&list](std::string_view path) { list.Append(TResultRecord::ForFolder(path)); });
    return list;
}

TExitStatus ScanAndExport(const TScanRequest& request, const std::vector<std::string>& columns) {
    if (NeedsFile(request.Format) && (request.Output.empty() || request.Output == "-")) {
        ReportError("--format " + request.Format, "needs --output FILE");
        return ExitUsage;
    }
    WriteExport(request.Format, ScanIntoList(request.Folders, request.Quiet), columns,
                request.Output);
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
    ScanFolders(request.Folders, request.Quiet,
                [terminator](std::string_view path) { WritePath(path, terminator); });
    return FlushOutput();
}

TExitStatus RunDelete(const TDeleteRequest& request) {
    if (!AllAreFolders(request.Folders)) {
        return ExitUsage;
    }
    TResultList list = ScanIntoList(request.Folders, request.Quiet);
    TExitStatus status = ExitOk;
    if (request.DryRun) {
        for (const auto index : RemovalOrder(list)) {
            WritePath(list.At(index).Record.Path(), '\n');
        }
    } else {
        const auto summary =
            DeleteCheckedFolders(list, [](std::string_view path) { WritePath(path, '\n'); });
        std::fflush(stdout);
        for (const auto& failure : summary.Failures) {
            ReportError(failure.Path, SystemErrorText(failure.ErrorCode));
        }
        if (!summary.Failures.empty()) {
            status = ExitNotAllRemoved;
        }
    }
    const TExitStatus flushed = FlushOutput();
    return flushed != ExitOk ? flushed : status;
}

} // namespace hollowsweep::cli
