#include "cli/CommandOutput.h"
#include "cli/Commands.h"
#include "cli/Interruption.h"
#include "core/errors/Errors.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/WholeFile.h"
#include "core/product/Messages.h"
#include "core/removal/FolderRemoval.h"
#include "core/rules/ProtectedPlaces.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>

namespace hollowsweep::cli {

namespace {

// The paths of a list file, one per line or NUL-separated; empty ones are skipped.
// A list of lines that holds a NUL was surely meant to be read with -0.
std::vector<std::string> ReadPathList(const std::string& file, char separator) {
    std::string text;
    {
        // The list may come from a program that never ends it.
        const WaitBeforeWork wait;
        text = file == "-" ? ReadStandardInput() : ReadWholeFile(file);
    }
    if (separator != '\0' && text.find('\0') != std::string::npos) {
        throw ConversionError(file + ": " +
                              Tr("holds NUL bytes: read a NUL-separated list with -0 (--null)"));
    }
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            paths.emplace_back(text, start, end - start);
        }
        start = end + 1;
    }
    return paths;
}

bool IsInside(const RemovalPlan& plan, const std::string& path) {
    const auto& starts = plan.StartingFolders();
    return std::any_of(starts.begin(), starts.end(),
                       [&path](const auto& start) { return IsAtOrBelow(path, start.Path); });
}

// A listed path spelled otherwise than the FOLDERs, absolute against a relative
// FOLDER or against one named through a link, is spelled as the FOLDER holding
// it, where the FOLDER resolved is a leading part of it as written. Nothing in
// the listed path is resolved: a link below a FOLDER must not lead a removal
// elsewhere.
void SpellAsTheFolders(std::vector<std::string>& paths, const RemovalPlan& plan) {
    std::vector<std::pair<std::string, std::string>> resolvedStarts;
    std::string current;
    for (auto& path : paths) {
        if (IsInside(plan, path)) {
            continue;
        }
        if (resolvedStarts.empty()) {
            for (const auto& start : plan.StartingFolders()) {
                resolvedStarts.emplace_back(CanonicalPath(start.Path), start.Path);
            }
            current = CanonicalPath(".");
        }
        std::string absolute = path;
        if (!IsAbsolutePath(path)) {
            absolute = current;
            absolute += PathSeparator;
            absolute += path;
            absolute = RemovalPlan::NormalPath(absolute);
        }
        for (const auto& [resolvedStart, start] : resolvedStarts) {
            if (IsAtOrBelow(absolute, resolvedStart)) {
                std::string rest = absolute.substr(resolvedStart.size());
                if (!rest.empty() && PathSeparators.find(rest.front()) == std::string_view::npos &&
                    !start.ends_with(PathSeparator)) {
                    rest.insert(0, 1, PathSeparator);
                }
                path = start + rest;
                break;
            }
        }
    }
}

// Why a listed folder is kept for another program, if it is.
std::optional<Protection> ProtectionOf(std::optional<ProtectedPlaces>& places,
                                       const std::string& path) {
    return places ? places->OfFolder(path) : std::nullopt;
}

// Takes the listed folders that lie inside the FOLDERs and that no other
// program needs; the others are named and left alone.
ExitStatus PlanFromList(const DeleteRequest& request, RemovalPlan& plan) {
    std::vector<std::string> paths =
        ReadPathList(request.FromFile, request.NullSeparated ? '\0' : '\n');
    for (auto& path : paths) {
        path = RemovalPlan::NormalPath(path);
    }
    SpellAsTheFolders(paths, plan);
    std::sort(paths.begin(), paths.end(), RemovalPlan::GroupedBefore);
    std::optional<ProtectedPlaces> places;
    if (request.Walk.Rules.ProtectFolders) {
        places.emplace();
    }
    ExitStatus status = ExitOk;
    for (std::size_t index = 0; index < paths.size(); ++index) {
        const std::string& path = paths[index];
        std::string refusal;
        // A path outside the FOLDERs is refused as such, protected or not.
        const auto protection = IsInside(plan, path) ? ProtectionOf(places, path) : std::nullopt;
        if (protection) {
            refusal = ProtectionReason(*protection);
        } else if (!plan.Add(path, {}, index)) {
            refusal = RemovalReason(RemovalOutcome::Outside, 0);
        }
        if (!refusal.empty()) {
            ReportError(path, refusal);
            status = ExitIncomplete;
        }
    }
    return status;
}

// The scan's folders go straight into the plan, with the identity of each, and
// no list of full paths is kept.
ExitStatus PlanFromScan(const DeleteRequest& request, RemovalPlan& plan) {
    std::size_t tag = 0;
    ExitStatus status = ExitOk;
    const ExitStatus scanned =
        ScanFolders(request.Folders, request.Walk, [&](const EmptyFolder& found) {
            if (!plan.Add(found.Path, found.Identity, tag++)) {
                ReportError(found.Path, RemovalReason(RemovalOutcome::Outside, 0));
                status = ExitIncomplete;
            }
        });
    return std::max(status, scanned);
}

// Prints each removed folder as it goes, and names each one that stayed with
// the reason, except one that is gone already. A dry run goes through every
// check and prints what would be removed. The printed list is the record of
// what went: once it cannot be written, no further folder is started.
ExitStatus Remove(RemovalPlan& plan, const DeleteRequest& request, char terminator) {
    std::atomic<bool>& stop = *request.Walk.Stop;
    RemovalOptions options;
    options.Threads = request.Walk.Threads;
    options.Cancel = &stop;
    options.Rules = request.Walk.Rules;
    options.DryRun = request.DryRun;
    ExitStatus status = ExitOk;
    int outputError = 0;
    RemoveFolders(plan, options, [&](const RemovalEvent& event) {
        if (event.Outcome == RemovalOutcome::Removed) {
            WritePath(event.Path, terminator);
            if (outputError == 0 && std::fflush(stdout) != 0) {
                outputError = errno;
                stop = true;
            }
        } else if (event.Outcome != RemovalOutcome::Gone) {
            std::fflush(stdout);
            ReportError(event.Path, RemovalReason(event.Outcome, event.ErrorCode));
            status = ExitIncomplete;
        }
    });
    if (outputError != 0) {
        ReportError(Tr("standard output"), SystemErrorText(outputError));
        return ExitUsage;
    }
    return stop ? ExitInterrupted : status;
}

} // namespace

ExitStatus RunDelete(const DeleteRequest& request) {
    if (!AllAreFolders(request.Folders)) {
        return ExitUsage;
    }
    RemovalPlan plan(request.Folders, request.Walk.Rules.KeepsOutFolders()
                                          ? NestedFolders::StandAlone
                                          : NestedFolders::JoinOuter);
    ExitStatus status = ExitOk;
    if (request.FromFile.empty()) {
        status = PlanFromScan(request, plan);
    } else {
        status = PlanFromList(request, plan);
    }
    if (status == ExitInterrupted) {
        return status;
    }
    const char terminator = request.NullSeparated ? '\0' : '\n';
    const ExitStatus removal = Remove(plan, request, terminator);
    if (removal == ExitUsage) {
        return removal;
    }
    if (const ExitStatus flushed = FlushOutput(); flushed != ExitOk) {
        return flushed;
    }
    return removal == ExitInterrupted ? removal : std::max(status, removal);
}

} // namespace hollowsweep::cli
