#include "cli/CommandOutput.h"

#include "cli/ProgressLine.h"
#include "core/errors/Errors.h"
#include "core/platform/FolderPaths.h"
#include "core/product/Messages.h"
#include "core/scan/EmptyFolderScan.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace hollowsweep::cli {

void ReportError(std::string_view subject, std::string_view reason) {
    std::fprintf(stderr, "%s: %.*s: %.*s\n", ProgramName, static_cast<int>(subject.size()),
                 subject.data(), static_cast<int>(reason.size()), reason.data());
}

bool AllAreFolders(const std::vector<std::string>& folders) {
    for (const auto& folder : folders) {
        if (const auto reason = WhyNotAFolder(folder)) {
            ReportError(folder, *reason);
            return false;
        }
        // As find, which follows no link unless asked to: someone else's link
        // must not choose which folders the caller cleans up.
        if (const auto link = LinkOfAnotherUserOn(folder)) {
            std::string reason = Tr("leads through a link another user owns, %s; name the "
                                    "folder it leads to instead");
            reason.replace(reason.find("%s"), 2, *link);
            ReportError(folder, reason);
            return false;
        }
    }
    return true;
}

bool IsPipe(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

void WritePath(std::string_view path, char terminator) {
    std::fwrite(path.data(), 1, path.size(), stdout);
    std::fputc(terminator, stdout);
}

ExitStatus FlushOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        ReportError(Tr("standard output"), SystemErrorText(errno));
        return ExitUsage;
    }
    return ExitOk;
}

ExitStatus ScanFolders(const std::vector<std::string>& folders, const WalkSettings& walk,
                       const EmptyFolderSink& sink, const ProtectedFolderSink& kept) {
    ProgressLine progress(walk.Quiet);
    ScanOptions options;
    options.Threads = walk.Threads;
    options.Rules = walk.Rules;
    options.Progress = progress.Callback();
    options.Cancel = walk.Stop;
    ExitStatus status = ExitOk;
    options.Unreadable = [&](std::string_view path, int error) {
        progress.Clear();
        std::fflush(stdout);
        ReportError(path, SystemErrorText(error));
        status = ExitIncomplete;
    };
    if (kept) {
        options.Protected = [&](std::string_view path, const Protection& protection) {
            progress.Clear();
            kept(path, protection);
        };
    }
    const bool whole = ForEachEmptyFolder(folders, options, [&](const EmptyFolder& found) {
        progress.Clear();
        sink(found);
    });
    return whole ? status : ExitInterrupted;
}

} // namespace hollowsweep::cli
