#include "results/ResultList.h"

#include "errors/Errors.h"

#include <utility>

namespace hollowsweep {

void TResultList::BeginUpdate() {
    if (updateDepth_++ == 0 && observer_ != nullptr) {
        observer_->ListBeginUpdate();
    }
}

void TResultList::EndUpdate() {
    if (--updateDepth_ == 0 && observer_ != nullptr) {
        observer_->ListEndUpdate();
    }
}

void TResultList::Clear() {
    TUpdate update(*this);
    TEntries().swap(entries_);
    scannedFolders_.clear();
}

TResultEntry& TResultList::Append(TResultRecord record, FolderIdentity identity) {
    TUpdate update(*this);
    return entries_.emplace_back(TResultEntry{std::move(record), true, identity});
}

void TResultList::Delete(std::size_t index) {
    At(index);
    TUpdate update(*this);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TResultList::DeleteMarked(const std::vector<bool>& marked) {
    TUpdate update(*this);
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
}

void TResultList::Replace(TResultList&& other) {
    TUpdate update(*this);
    entries_ = std::move(other.entries_);
    scannedFolders_ = std::move(other.scannedFolders_);
    other.entries_.clear();
    other.scannedFolders_.clear();
}

void TResultList::CheckAll() {
    TUpdate update(*this);
    for (auto& entry : entries_) {
        entry.Checked = true;
    }
}

void TResultList::UncheckAll() {
    TUpdate update(*this);
    for (auto& entry : entries_) {
        entry.Checked = false;
    }
}

const TResultEntry& TResultList::At(std::size_t index) const {
    if (index >= entries_.size()) {
        throw TIndexError(index, entries_.size());
    }
    return entries_[index];
}

TResultEntry& TResultList::At(std::size_t index) {
    return const_cast<TResultEntry&>(std::as_const(*this).At(index));
}

void TResultList::SetChecked(std::size_t index, bool checked) {
    At(index).Checked = checked;
}

void TResultList::Reorder(const std::vector<std::uint32_t>& order) {
    TUpdate update(*this);
    TEntries sorted;
    sorted.reserve(entries_.size());
    for (const auto index : order) {
        sorted.push_back(std::move(entries_[index]));
    }
    entries_.swap(sorted);
}

} // namespace hollowsweep
