#pragma once

#include "core/config/Config.h"
#include "core/config/XMLDocument.h"
#include "core/export/ExportFormats.h"
#include "core/export/ExportUI.h"
#include "core/presenter/BackgroundWork.h"
#include "core/presenter/StatusTexts.h"
#include "core/presenter/UserPrompts.h"
#include "core/removal/FolderRemoval.h"
#include "core/results/DeleteChecked.h"
#include "core/results/LoadEmptyFolders.h"
#include "core/results/ResultList.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hollowsweep {

// What the main window shows that the presenter changes besides the list.
class IMainView {
public:
    virtual ~IMainView() = default;

    // After work behind the wait window, which had the keyboard: the window
    // takes it back, for the list.
    virtual void FocusList() = 0;
    // A scan put a new list in, in the walk's order: no sort holds any more.
    virtual void ShowNewList() = 0;
};

// What the main window decides, without a toolkit: scanning folders into the
// result list, checking, removing the checked folders and reporting it,
// exporting, and the status bar's texts. The window forwards its commands and
// draws what the list and Status() say. While a scan or a removal runs, every
// command that would start another or change the list is ignored.
class MainPresenter {
public:
    // What a scan runs on the work's thread; tests hold it to cancel it.
    using Scanner =
        std::function<ScanOutcome(ResultList&, std::span<const std::string>, const ScanOptions&)>;

    // moveToTrash hands a folder to the desktop's trash, when the options ask
    // for the trash.
    MainPresenter(ResultList& list, LazyConfig& config, IMainView& view, IUserPrompts& prompts,
                  IBackgroundWork& work, IExportUI& exportUI, MoveToTrashFunction moveToTrash);

    ResultList& List() noexcept { return list_; }
    bool Busy() const noexcept { return busy_; }
    void SetScanner(Scanner scanner) { scanner_ = std::move(scanner); }

    // When the configuration file does not parse, asks whether to start again
    // from the default configuration, keeping the file beside it. A file that
    // cannot be set aside is named with the reason, and nothing changes. Any
    // other failure to read it is left to where the file is read.
    void OfferDefaultConfig();
    // The folder chooser, then a scan of the chosen folder.
    void OpenFolder();
    // Scans the folders among paths together, as a drop or the program's
    // arguments give them, after one message that names every other path and
    // why it is not a folder; with no folder, the wait window only flashes.
    void OpenFolders(const std::vector<std::string>& paths);
    // Scans folders and puts their empty folders in the list, replacing what
    // it held; a message, when given, goes to the wait window first. A scan
    // the user cancels leaves the list as it was. Errors are raised once the
    // list holds what was found before them.
    void ScanFolders(const std::vector<std::string>& folders,
                     const std::optional<std::string>& message);

    void CheckAll();
    void UncheckAll();
    // Checks or unchecks the folder of an entry and every folder shown below
    // it, as the list's menu offers for the entry the user points at.
    void CheckSubtree(std::size_t entry);
    void UncheckSubtree(std::size_t entry);
    // Asks, then removes the checked folders (or moves them to the trash, as
    // the options say), then reports what became of them.
    void DeleteChecked();
    void Export(const ExportFormat& format);

    StatusTexts Status() const { return StatusOf(list_, groupSeparator_); }
    // What the status bar's counts of more than four digits carry, as the
    // user's locale writes it.
    void SetGroupSeparator(std::string separator) { groupSeparator_ = std::move(separator); }

private:
    std::exception_ptr RunRemoval(CheckedFolderRemoval& removal, std::size_t planned,
                                  bool moveToTrash);
    void ReportRemoval(const DeleteSummary& summary, bool moveToTrash);
    void SetSubtreeChecked(std::size_t entry, bool checked);

    ResultList& list_;
    LazyConfig& config_;
    IMainView& view_;
    IUserPrompts& prompts_;
    IBackgroundWork& work_;
    IExportUI& exportUI_;
    MoveToTrashFunction moveToTrash_;
    Scanner scanner_;
    // The exports' result document, rebuilt by each export that reads it.
    XMLDocument resultDocument_;
    // Where the folder chooser starts: the folder opened last.
    std::string lastOpened_;
    std::string groupSeparator_;
    bool busy_ = false;
};

} // namespace hollowsweep
