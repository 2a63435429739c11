#include "core/results/DeleteChecked.h"

#include <algorithm>
#include <utility>

namespace hollowsweep {

namespace {

// The indices of the checked entries shown, sorted so that a folder and the folders below
// it come together, as a removal plan takes them.
std::vector<std::size_t> CheckedGrouped(const ResultList& list) {
    std::vector<std::size_t> checked;
    for (std::size_t index = 0; index < list.Count(); ++index) {
        if (list.At(index).Checked() && list.At(index).Shown()) {
            checked.push_back(index);
        }
    }
    std::sort(checked.begin(), checked.end(), [&list](std::size_t a, std::size_t b) {
        return RemovalPlan::GroupedBefore(list.At(a).Record.Path(), list.At(b).Record.Path());
    });
    return checked;
}

} // namespace

class CheckedFolderRemoval::Run {
public:
    explicit Run(ResultList& list)
        : list_(list)
        , leaving_(list.Count(), false)
        // Judged as the scan walked them.
        , plan_(list.ScannedFolders(), list.Rules().KeepsOutFolders() ? NestedFolders::StandAlone
                                                                      : NestedFolders::JoinOuter)
        , rules_(list.Rules()) {}

    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    ~Run() { list_.SetRemovalRunning(false); }

    std::size_t Plan() {
        list_.SetRemovalRunning(true);
        std::size_t planned = 0;
        for (const std::size_t index : CheckedGrouped(list_)) {
            ResultEntry& entry = list_.At(index);
            entry.Kept = false;
            if (plan_.Add(entry.Record.Path(), entry.Identity, index)) {
                ++planned;
            } else {
                Hear({entry.Record.Path(), index, RemovalOutcome::Outside, 0, {}});
            }
        }
        return planned;
    }

    void Remove(const RemovalOptions& options, const RemovedCallback& onRemoved) {
        onRemoved_ = onRemoved;
        RemovalOptions withRules = options;
        withRules.Rules = rules_;
        summary_.Complete =
            RemoveFolders(plan_, withRules, [this](const RemovalEvent& event) { Hear(event); });
    }

    // Entries of folders already removed leave the list even when a later step fails.
    DeleteSummary Finish() {
        list_.SetRemovalRunning(false);
        // Marked before the entries move: the indices are the list's as planned.
        for (const auto& [index, failure] : failures_) {
            ResultEntry& entry = list_.At(index);
            entry.Kept = true;
            entry.KeptBecause = failure.Outcome;
            entry.KeptError = failure.ErrorCode;
        }
        list_.DeleteMarked(leaving_);
        std::sort(failures_.begin(), failures_.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [index, failure] : failures_) {
            summary_.Failures.push_back(std::move(failure));
        }
        return std::move(summary_);
    }

private:
    void Hear(const RemovalEvent& event) {
        switch (event.Outcome) {
        case RemovalOutcome::Removed:
            leaving_[event.Tag] = true;
            ++summary_.Removed;
            if (onRemoved_) {
                onRemoved_(event.Path);
            }
            break;
        case RemovalOutcome::Gone:
            leaving_[event.Tag] = true;
            ++summary_.Gone;
            break;
        default:
            failures_.emplace_back(event.Tag,
                                   DeleteFailure{std::string(event.Path), event.Outcome,
                                                 event.ErrorCode, std::string(event.Reason)});
        }
    }

    ResultList& list_;
    RemovedCallback onRemoved_;
    std::vector<bool> leaving_;
    RemovalPlan plan_;
    ScanRules rules_;
    std::vector<std::pair<std::size_t, DeleteFailure>> failures_;
    DeleteSummary summary_;
};

CheckedFolderRemoval::CheckedFolderRemoval(ResultList& list)
    : run_(std::make_unique<Run>(list)) {}

CheckedFolderRemoval::~CheckedFolderRemoval() = default;

std::size_t CheckedFolderRemoval::Plan() {
    return run_->Plan();
}

void CheckedFolderRemoval::Remove(const RemovalOptions& options, const RemovedCallback& onRemoved) {
    run_->Remove(options, onRemoved);
}

DeleteSummary CheckedFolderRemoval::Finish() {
    return run_->Finish();
}

DeleteSummary DeleteCheckedFolders(ResultList& list, const RemovalOptions& options,
                                   const RemovedCallback& onRemoved) {
    CheckedFolderRemoval removal(list);
    try {
        removal.Plan();
        removal.Remove(options, onRemoved);
    } catch (...) {
        removal.Finish();
        throw;
    }
    return removal.Finish();
}

} // namespace hollowsweep
