#include "core/results/ResultList.h"

#include "core/errors/Errors.h"
#include "core/parallel/OnThreads.h"
#include "core/platform/FolderPaths.h"
#include "core/product/Messages.h"
#include "core/results/PathFilter.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace hollowsweep {

namespace {

// A pass over a sorted list reads paths all over memory; asking for each a
// few entries before it is needed keeps the processor from waiting on it.
constexpr std::size_t FetchAhead = 16;

// Runs work(first, last) on slices of [0, count), one for each core, so that
// a million entries filter as fast as the user types.
template <class Work> void OnSlices(std::size_t count, const Work& work) {
    constexpr std::size_t LeastSlice = 65536;
    const std::size_t slices = std::clamp<std::size_t>(
        count / LeastSlice, 1, std::max(std::thread::hardware_concurrency(), 1U));
    OnThreads(slices, [&](std::size_t slice) {
        work(count * slice / slices, count * (slice + 1) / slices);
    });
}

} // namespace

void ResultList::BeginUpdate() {
    if (updateDepth_++ == 0 && observer_ != nullptr) {
        observer_->ListBeginUpdate();
    }
}

void ResultList::EndUpdate() {
    if (updateDepth_ == 1) {
        ApplyFilter();
    }
    if (--updateDepth_ == 0 && observer_ != nullptr) {
        observer_->ListEndUpdate();
    }
}

void ResultList::SetFilter(std::string text) {
    UpdateScope update(*this);
    narrowing_ = updateDepth_ == 1 && Filtered() && !text.empty() &&
                 PathFilter(text).Narrows(PathFilter(filter_));
    filter_ = std::move(text);
}

void ResultList::ApplyFilter() {
    const bool narrowing = std::exchange(narrowing_, false);
    if (!Filtered()) {
        shownEntries_.clear();
        // Only once the filter goes: a list filling entry by entry stays linear.
        if (std::exchange(someHidden_, false)) {
            for (auto& entry : entries_) {
                entry.shown_ = true;
            }
        }
        return;
    }
    someHidden_ = true;
    const PathFilter filter(filter_);
    if (narrowing) {
        NarrowShown(filter);
    } else {
        ShowMatching(filter);
    }
}

// The threads only set flags, each in entries of its own; the indices are
// gathered afterwards, so that nothing allocates on another thread.
void ResultList::ShowMatching(const PathFilter& filter) {
    OnSlices(entries_.size(), [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            if (i + FetchAhead < last) {
                entries_[i + FetchAhead].Record.PrefetchPath();
            }
            entries_[i].shown_ = filter.Matches(entries_[i].Record.Path());
        }
    });
    shownEntries_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].shown_) {
            shownEntries_.push_back(static_cast<std::uint32_t>(i));
        }
    }
}

void ResultList::NarrowShown(const PathFilter& filter) {
    OnSlices(shownEntries_.size(), [&](std::size_t first, std::size_t last) {
        for (std::size_t row = first; row < last; ++row) {
            if (row + FetchAhead < last) {
                entries_[shownEntries_[row + FetchAhead]].Record.PrefetchPath();
            }
            ResultEntry& entry = entries_[shownEntries_[row]];
            entry.shown_ = filter.Matches(entry.Record.Path());
        }
    });
    std::erase_if(shownEntries_, [this](std::uint32_t index) { return !entries_[index].shown_; });
}

std::size_t ResultList::ShownEntry(std::size_t row) const {
    if (!Filtered()) {
        At(row);
        return row;
    }
    if (row >= shownEntries_.size()) {
        throw IndexError(static_cast<long long>(row), shownEntries_.size());
    }
    return shownEntries_[row];
}

std::size_t ResultList::ShownCheckedCount() const noexcept {
    if (!Filtered()) {
        return checkedCount_;
    }
    return static_cast<std::size_t>(
        std::count_if(shownEntries_.begin(), shownEntries_.end(),
                      [this](std::uint32_t index) { return entries_[index].checked_; }));
}

void ResultList::Clear() {
    RefuseWhileRemoving();
    UpdateScope update(*this);
    Entries().swap(entries_);
    checkedCount_ = 0;
    scannedFolders_.clear();
    scanRules_ = {};
    unreadableFolders_.clear();
    keptFolders_.clear();
}

ResultEntry& ResultList::Append(ResultRecord record, FolderIdentity identity) {
    RefuseWhileRemoving();
    UpdateScope update(*this);
    ResultEntry& entry = entries_.emplace_back();
    entry.Record = std::move(record);
    entry.Identity = identity;
    ++checkedCount_;
    return entry;
}

void ResultList::Delete(std::size_t index) {
    RefuseWhileRemoving();
    At(index);
    UpdateScope update(*this);
    MarkChecked(entries_[index], false);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

void ResultList::DeleteMarked(const std::vector<bool>& marked) {
    RefuseWhileRemoving();
    UpdateScope update(*this);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i >= marked.size() || !marked[i]) {
            if (kept != i) {
                entries_[kept] = std::move(entries_[i]);
            }
            ++kept;
        }
    }
    entries_.resize(kept);
    CountChecked();
}

void ResultList::Replace(ResultList&& other) {
    RefuseWhileRemoving();
    UpdateScope update(*this);
    entries_ = std::move(other.entries_);
    scannedFolders_ = std::move(other.scannedFolders_);
    scanRules_ = std::move(other.scanRules_);
    unreadableFolders_ = std::move(other.unreadableFolders_);
    keptFolders_ = std::move(other.keptFolders_);
    checkedCount_ = other.checkedCount_;
    // The entries come as the other list's filter left them.
    someHidden_ = true;
    other.Clear();
}

void ResultList::CheckAll() {
    SetAllChecked(true);
}

void ResultList::UncheckAll() {
    SetAllChecked(false);
}

void ResultList::SetAllChecked(bool checked) {
    if (!Filtered()) {
        const EntryRange all{0, entries_.size()};
        SetChecked(std::span(&all, 1), checked);
        return;
    }
    RefuseWhileRemoving();
    for (const std::uint32_t index : shownEntries_) {
        MarkChecked(entries_[index], checked);
    }
    NotifyChecksChanged();
}

void ResultList::SetChecked(std::span<const EntryRange> ranges, bool checked) {
    RefuseWhileRemoving();
    for (const EntryRange& range : ranges) {
        if (range.First > entries_.size() || range.Count > entries_.size() - range.First) {
            throw IndexError(static_cast<long long>(range.First + range.Count), entries_.size());
        }
    }
    for (const EntryRange& range : ranges) {
        const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(range.First);
        for (auto entry = first; entry != first + static_cast<std::ptrdiff_t>(range.Count);
             ++entry) {
            MarkChecked(*entry, checked);
        }
    }
    NotifyChecksChanged();
}

void ResultList::SetSubtreeChecked(std::string_view folder, bool checked) {
    RefuseWhileRemoving();
    const auto mark = [&](ResultEntry& entry) {
        if (IsAtOrBelow(entry.Record.Path(), folder)) {
            MarkChecked(entry, checked);
        }
    };
    if (Filtered()) {
        for (const std::uint32_t index : shownEntries_) {
            mark(entries_[index]);
        }
    } else {
        for (ResultEntry& entry : entries_) {
            mark(entry);
        }
    }
    NotifyChecksChanged();
}

void ResultList::NotifyChecksChanged() {
    if (observer_ != nullptr && updateDepth_ == 0) {
        observer_->ListChecksChanged();
    }
}

void ResultList::MarkChecked(ResultEntry& entry, bool checked) noexcept {
    if (entry.checked_ != checked) {
        entry.checked_ = checked;
        checked ? ++checkedCount_ : --checkedCount_;
    }
}

void ResultList::CountChecked() noexcept {
    checkedCount_ = static_cast<std::size_t>(std::count_if(
        entries_.begin(), entries_.end(), [](const ResultEntry& e) { return e.checked_; }));
}

void ResultList::RefuseWhileRemoving() const {
    if (removalRunning_) {
        throw HollowsweepError(Tr("The list cannot change while its folders are being removed."));
    }
}

const ResultEntry& ResultList::At(std::size_t index) const {
    if (index >= entries_.size()) {
        throw IndexError(static_cast<long long>(index), entries_.size());
    }
    return entries_[index];
}

ResultEntry& ResultList::At(std::size_t index) {
    return const_cast<ResultEntry&>(std::as_const(*this).At(index));
}

void ResultList::SetChecked(std::size_t index, bool checked) {
    RefuseWhileRemoving();
    MarkChecked(At(index), checked);
}

void ResultList::Reorder(const std::vector<std::uint32_t>& order) {
    RefuseWhileRemoving();
    if (order.size() != entries_.size()) {
        throw IndexError(static_cast<long long>(order.size()), entries_.size());
    }
    // An index twice would send the moves round a cycle for ever.
    std::vector<bool> placed(order.size());
    for (const std::uint32_t index : order) {
        if (index >= order.size() || placed[index]) {
            throw IndexError(index, entries_.size());
        }
        placed[index] = true;
    }
    placed.assign(order.size(), false);
    UpdateScope update(*this);
    // In place, one cycle of the permutation after the other: a second
    // million entries would cost more than the moves.
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start]) {
            continue;
        }
        ResultEntry held = std::move(entries_[start]);
        std::size_t place = start;
        while (order[place] != start) {
            entries_[place] = std::move(entries_[order[place]]);
            placed[place] = true;
            place = order[place];
        }
        entries_[place] = std::move(held);
        placed[place] = true;
    }
}

} // namespace hollowsweep
