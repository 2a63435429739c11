#include "core/presenter/MainPresenter.h"

#include "core/config/RemovalSetting.h"
#include "core/config/ScanRulesSetting.h"
#include "core/errors/Errors.h"
#include "core/export/ExportCommand.h"
#include "core/platform/FolderPaths.h"
#include "core/product/Messages.h"
#include "core/removal/RemovalOutcome.h"

#include <atomic>
#include <cstdint>
#include <utility>

namespace hollowsweep {

namespace {

// Marks the presenter busy for as long as it lives.
class BusyScope {
public:
    explicit BusyScope(bool& busy)
        : busy_(busy) {
        busy_ = true;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { busy_ = false; }

private:
    bool& busy_;
};

// One line for each path with the reason it is not a folder, the first few
// only: a shell's "*" may name thousands of files.
std::string RefusedPathsText(const std::vector<std::pair<std::string, std::string>>& refused) {
    constexpr std::size_t Shown = 30;
    std::string text = TrN("This could not be scanned as a folder:",
                           "These could not be scanned as folders:", refused.size());
    for (std::size_t i = 0; i < refused.size() && i < Shown; ++i) {
        text += "\n" + refused[i].first + ": " + refused[i].second;
    }
    if (refused.size() > Shown) {
        text += FormatText(Tr("\n... and %1 more"), {std::to_string(refused.size() - Shown)});
    }
    return text;
}

} // namespace

MainPresenter::MainPresenter(ResultList& list, LazyConfig& config, IMainView& view,
                             IUserPrompts& prompts, IBackgroundWork& work, IExportUI& exportUI,
                             MoveToTrashFunction moveToTrash)
    : list_(list)
    , config_(config)
    , view_(view)
    , prompts_(prompts)
    , work_(work)
    , exportUI_(exportUI)
    , moveToTrash_(std::move(moveToTrash)) {}

void MainPresenter::OfferDefaultConfig() {
    std::string problem;
    try {
        config_.GetConfig();
        return;
    } catch (const ParseError& error) {
        problem = error.what();
    } catch (const HollowsweepError&) {
        return;
    }
    const std::string question =
        FormatText(Tr("The configuration could not be read:\n%1\n\nStart from the default "
                      "configuration? The file is kept as %2."),
                   {problem, KeptConfigName(config_.FileName())});
    if (!prompts_.AskYesNo(question, Tr("Warning"))) {
        return;
    }
    try {
        config_.StartFromDefault();
    } catch (const HollowsweepError& error) {
        prompts_.ShowMessage(
            std::string(Tr("The configuration was left as it is, as it could not be set aside: ")) +
                error.what(),
            Tr("Warning"), MessageIcon::Warning);
    }
}

void MainPresenter::OpenFolder() {
    if (busy_) {
        return;
    }
    const std::string folder = prompts_.ChooseFolder(lastOpened_);
    if (folder.empty()) {
        return;
    }
    lastOpened_ = folder;
    ScanFolders({folder}, Tr("Loading info.."));
}

void MainPresenter::OpenFolders(const std::vector<std::string>& paths) {
    if (busy_) {
        return;
    }
    std::vector<std::string> folders;
    std::vector<std::pair<std::string, std::string>> refused;
    for (const std::string& path : paths) {
        if (auto reason = WhyNotAFolder(path)) {
            refused.emplace_back(path, std::move(*reason));
        } else {
            folders.push_back(path);
        }
    }
    // The folders that are there are still scanned, once the user has read why
    // the others are not.
    if (!refused.empty()) {
        prompts_.ShowMessage(RefusedPathsText(refused), Tr("Warning"), MessageIcon::Warning);
    }
    if (folders.empty()) {
        std::atomic<bool> cancel{false};
        work_.Run(
            std::nullopt, [] {}, cancel, [] { return std::string(); });
        return;
    }
    ScanFolders(folders, std::nullopt);
}

void MainPresenter::ScanFolders(const std::vector<std::string>& folders,
                                const std::optional<std::string>& message) {
    if (busy_) {
        return;
    }
    ScanOptions options;
    try {
        options.Rules = ReadScanRules(*config_.GetConfig().Root());
    } catch (const HollowsweepError& error) {
        // Scanning without a rule the user set could offer folders meant to stay.
        prompts_.ShowMessage(
            std::string(Tr("The scan rules could not be read, so nothing was scanned: ")) +
                error.what(),
            Tr("Warning"), MessageIcon::Warning);
        return;
    }
    const BusyScope busy(busy_);
    std::atomic<std::uint64_t> scanned{0};
    options.Progress = [&scanned](std::uint64_t count) {
        scanned.store(count);
    };
    std::atomic<bool> cancel{false};
    options.Cancel = &cancel;
    ScanOutcome outcome;
    ResultList found;
    const std::exception_ptr error = work_.Run(
        message,
        [&] {
            outcome = scanner_ ? scanner_(found, folders, options)
                               : LoadEmptyFolders(found, folders, options);
        },
        cancel,
        [&scanned] {
            return FormatText(Tr("%1 folders scanned"), {std::to_string(scanned.load())});
        });
    view_.FocusList();
    if (error) {
        outcome.Error = error;
    }
    if (outcome.Cancelled) {
        return;
    }
    // What was found before an error is shown; the error is not lost.
    list_.Replace(std::move(found));
    view_.ShowNewList();
    if (outcome.Error) {
        std::rethrow_exception(outcome.Error);
    }
}

void MainPresenter::CheckAll() {
    list_.CheckAll();
}

void MainPresenter::UncheckAll() {
    list_.UncheckAll();
}

void MainPresenter::CheckSubtree(std::size_t entry) {
    SetSubtreeChecked(entry, true);
}

void MainPresenter::UncheckSubtree(std::size_t entry) {
    SetSubtreeChecked(entry, false);
}

void MainPresenter::SetSubtreeChecked(std::size_t entry, bool checked) {
    // A copy: the entry's own path must not be read while the list changes.
    const std::string folder(list_.At(entry).Record.Path());
    list_.SetSubtreeChecked(folder, checked);
}

void MainPresenter::DeleteChecked() {
    if (busy_) {
        return;
    }
    const std::size_t checked = list_.ShownCheckedCount();
    if (checked == 0) {
        return;
    }
    bool moveToTrash = false;
    try {
        moveToTrash = ReadMoveToTrash(*config_.GetConfig().Root());
    } catch (const HollowsweepError& error) {
        // Removing what the user wanted in the trash could not be undone.
        prompts_.ShowMessage(
            std::string(Tr("The removal options could not be read, so nothing was removed: ")) +
                error.what(),
            Tr("Warning"), MessageIcon::Warning);
        return;
    }
    std::string question =
        FormatText(Tr("Are you sure to delete the folders?\n\n%1 checked"), {FolderCount(checked)});
    if (moveToTrash) {
        question += Tr(", to be moved to the trash");
    }
    if (!prompts_.AskYesNo(question, Tr("Warning"))) {
        return;
    }
    const BusyScope busy(busy_);
    CheckedFolderRemoval removal(list_);
    const std::size_t planned = removal.Plan();
    const std::exception_ptr error = RunRemoval(removal, planned, moveToTrash);
    const DeleteSummary summary = removal.Finish();
    view_.FocusList();
    ReportRemoval(summary, moveToTrash);
    if (error) {
        std::rethrow_exception(error);
    }
}

// The removal's own threads do the work; the window stays painted and the
// count moves.
std::exception_ptr MainPresenter::RunRemoval(CheckedFolderRemoval& removal, std::size_t planned,
                                             bool moveToTrash) {
    std::atomic<std::size_t> removed{0};
    std::atomic<bool> cancel{false};
    RemovalOptions options;
    options.Cancel = &cancel;
    if (moveToTrash) {
        options.MoveToTrash = moveToTrash_;
    }
    const char* progress =
        moveToTrash ? Tr("%1 of %2 folders moved to the trash") : Tr("%1 of %2 folders removed");
    return work_.Run(
        moveToTrash ? Tr("Moving folders to the trash..") : Tr("Removing folders.."),
        [&] { removal.Remove(options, [&removed](std::string_view) { ++removed; }); }, cancel,
        [&removed, planned, progress] {
            return FormatText(progress, {std::to_string(removed.load()), std::to_string(planned)});
        });
}

void MainPresenter::ReportRemoval(const DeleteSummary& summary, bool moveToTrash) {
    std::string text =
        FolderCount(summary.Removed) + (moveToTrash ? Tr(" moved to the trash.") : Tr(" removed."));
    if (!summary.Failures.empty()) {
        const std::size_t failed = summary.Failures.size();
        text += "\n" + FolderCount(failed);
        text += moveToTrash ? TrN(" could not be moved to the trash.",
                                  " could not be moved to the trash.", failed)
                            : TrN(" could not be removed.", " could not be removed.", failed);
    }
    if (!summary.Complete) {
        text += Tr("\nThe removal was cancelled before every checked folder was handled.");
    }
    std::string details;
    for (const auto& failure : summary.Failures) {
        details += failure.Path + ": " + RemovalReason(failure.Outcome, failure.ErrorCode);
        if (!failure.Reason.empty()) {
            details += ": " + failure.Reason;
        }
        details += "\n";
    }
    prompts_.ShowReport(text, details, Tr("Delete Checked From Disk"));
}

void MainPresenter::Export(const ExportFormat& format) {
    if (busy_) {
        return;
    }
    RunExport(format, list_, *config_.GetConfig().Root(), resultDocument_, exportUI_);
}

} // namespace hollowsweep
