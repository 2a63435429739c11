#pragma once

#include "core/platform/FolderIdentity.h"
#include "core/removal/RemovalOutcome.h"
#include "core/results/MergeSort.h"
#include "core/results/ResultRecord.h"
#include "core/rules/ProtectedFolders.h"
#include "core/rules/ScanRules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep {

struct ResultEntry {
    ResultRecord Record;

    bool Checked() const noexcept { return checked_; }
    // Whether the list's filter lets the entry through.
    bool Shown() const noexcept { return shown_; }

private:
    // Only the list changes them, so that it can keep count.
    friend class ResultList;
    bool checked_ = true;
    bool shown_ = true;

public:
    // Whether the last removal tried the folder and left it, and why; these
    // fit where the entry had padding, so they cost no memory.
    bool Kept = false;
    RemovalOutcome KeptBecause = RemovalOutcome::Failed;
    std::int32_t KeptError = 0;
    // Which folder the scan found at the path; removal refuses another one.
    FolderIdentity Identity{};
};

// Hears when the list's content is about to change and when the change is over
// (a view reloads at the end), and when only check marks changed (a view
// repaints them and keeps the rest).
class IResultListObserver {
public:
    virtual ~IResultListObserver() = default;
    virtual void ListBeginUpdate() = 0;
    virtual void ListEndUpdate() = 0;
    virtual void ListChecksChanged() = 0;
};

// A folder the scan could not open or list, with the system's error code.
struct UnreadableFolder {
    std::string Path;
    int Error = 0;

    bool operator==(const UnreadableFolder&) const = default;
};

// A folder the scan kept because another program needs it, though it holds
// no file.
struct KeptFolder {
    std::string Path;
    Protection Reason;

    bool operator==(const KeptFolder&) const = default;
};

class PathFilter;

enum class SortDirection { Ascending, Descending };

// Entries First to First + Count - 1 of a list.
struct EntryRange {
    std::size_t First = 0;
    std::size_t Count = 0;
};

// The entries of the result list in their shown order, each with its record and
// check state. Every change is bracketed by begin/end update; updates nest and
// the observer hears only the outermost pair.
class ResultList {
public:
    using Entries = std::vector<ResultEntry>;

    void SetObserver(IResultListObserver* observer) noexcept { observer_ = observer; }

    void BeginUpdate();
    void EndUpdate();

    // Removes every entry and forgets what the scan left with them.
    void Clear();
    // Takes over the entries of another list, as a scan on another thread
    // hands over its result.
    void Replace(ResultList&& other);
    ResultEntry& Append(ResultRecord record, FolderIdentity identity = {});
    void Delete(std::size_t index);
    // Deletes the entries whose flags are set, in one pass.
    void DeleteMarked(const std::vector<bool>& marked);
    // Check or uncheck every entry shown.
    void CheckAll();
    void UncheckAll();
    // Sets the check of every entry in the ranges, as one change.
    void SetChecked(std::span<const EntryRange> ranges, bool checked);
    // Sets the check of every entry shown whose path is folder or lies below
    // it, by whole components ("/a/b" holds "/a/b/c", not "/a/bc"), as one
    // change in one pass.
    void SetSubtreeChecked(std::string_view folder, bool checked);

    // The folders whose scan filled the list, as the user named them. Removal
    // reaches every entry from one of them and never leaves them.
    void SetScannedFolders(std::vector<std::string> folders) {
        scannedFolders_ = std::move(folders);
    }
    const std::vector<std::string>& ScannedFolders() const noexcept { return scannedFolders_; }

    // The rules the scan went by; a removal goes by them too.
    void SetScanRules(ScanRules rules) { scanRules_ = std::move(rules); }
    const ScanRules& Rules() const noexcept { return scanRules_; }

    // The folders the scan could not read, in the order it met them.
    void AddUnreadableFolder(UnreadableFolder folder) {
        unreadableFolders_.push_back(std::move(folder));
    }
    const std::vector<UnreadableFolder>& UnreadableFolders() const noexcept {
        return unreadableFolders_;
    }

    // The folders the scan kept for other programs, in the order it met them.
    void AddKeptFolder(KeptFolder folder) { keptFolders_.push_back(std::move(folder)); }
    const std::vector<KeptFolder>& KeptFolders() const noexcept { return keptFolders_; }

    // Shows only the entries whose path contains the text, letter case of a
    // to z aside, or matches it as a glob when it holds *, ? or [ (where *
    // crosses /); the empty text shows all. The filter holds for every later
    // content.
    void SetFilter(std::string text);
    const std::string& Filter() const noexcept { return filter_; }
    bool Filtered() const noexcept { return !filter_.empty(); }
    // The entries shown, and the index of the one shown in a given row.
    std::size_t ShownCount() const noexcept {
        return Filtered() ? shownEntries_.size() : entries_.size();
    }
    std::size_t ShownEntry(std::size_t row) const;
    std::size_t ShownCheckedCount() const noexcept;

    std::size_t Count() const noexcept { return entries_.size(); }
    std::size_t CheckedCount() const noexcept { return checkedCount_; }
    bool Empty() const noexcept { return entries_.empty(); }
    const ResultEntry& At(std::size_t index) const;
    ResultEntry& At(std::size_t index);
    void SetChecked(std::size_t index, bool checked);

    Entries::const_iterator begin() const noexcept { return entries_.begin(); }
    Entries::const_iterator end() const noexcept { return entries_.end(); }

    // Sorts by the merge rule: ascending takes the first run's head when
    // compare(a, b) <= 0, descending when compare(a, b) >= 0.
    template <class Compare> void Sort(Compare compare, SortDirection direction);
    // Puts the entries in a new order: order[i] is the index of the entry that
    // goes to place i, and every index comes once.
    void Reorder(const std::vector<std::uint32_t>& order);

    // From a removal's plan to its finish the removal works from the list's
    // entries, and the list refuses every change: each one raises
    // HollowsweepError and changes nothing.
    void SetRemovalRunning(bool running) noexcept { removalRunning_ = running; }
    bool RemovalRunning() const noexcept { return removalRunning_; }

private:
    class UpdateScope {
    public:
        explicit UpdateScope(ResultList& list)
            : list_(list) {
            list_.BeginUpdate();
        }
        ~UpdateScope() { list_.EndUpdate(); }
        UpdateScope(const UpdateScope&) = delete;
        UpdateScope& operator=(const UpdateScope&) = delete;

    private:
        ResultList& list_;
    };

    void RefuseWhileRemoving() const;
    void SetAllChecked(bool checked);
    void MarkChecked(ResultEntry& entry, bool checked) noexcept;
    // Tells the observer that marks changed, unless an update is open: its
    // end reloads everything anyway.
    void NotifyChecksChanged();
    void CountChecked() noexcept;
    void ApplyFilter();
    void ShowMatching(const PathFilter& filter);
    void NarrowShown(const PathFilter& filter);

    Entries entries_;
    std::size_t checkedCount_ = 0;
    std::string filter_;
    std::vector<std::uint32_t> shownEntries_;
    bool someHidden_ = false;
    bool narrowing_ = false;
    std::vector<std::string> scannedFolders_;
    ScanRules scanRules_;
    std::vector<UnreadableFolder> unreadableFolders_;
    std::vector<KeptFolder> keptFolders_;
    IResultListObserver* observer_ = nullptr;
    int updateDepth_ = 0;
    bool removalRunning_ = false;
};

template <class Compare> void ResultList::Sort(Compare compare, SortDirection direction) {
    RefuseWhileRemoving();
    std::vector<std::uint32_t> order(entries_.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    const bool ascending = direction == SortDirection::Ascending;
    MergeSort(std::span<std::uint32_t>(order), [&](std::uint32_t a, std::uint32_t b) {
        const int result = compare(entries_[a], entries_[b]);
        return ascending ? result <= 0 : result >= 0;
    });
    Reorder(order);
}

} // namespace hollowsweep
