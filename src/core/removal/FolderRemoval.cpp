#include "core/removal/FolderRemoval.h"

#include "core/parallel/ParallelLimits.h"
#include "core/parallel/WorkQueue.h"
#include "core/platform/EntryStatus.h"
#include "core/platform/FolderEntries.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/NativeHandle.h"
#include "core/removal/JunkFiles.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>
#include <utility>
#include <vector>

namespace hollowsweep {

namespace {

RemovalResult RemoveFailure(int error) {
    switch (error) {
    case ENOENT:
        return {RemovalOutcome::Gone, error};
    case ENOTDIR:
        return {RemovalOutcome::Changed, error};
    case ENOTEMPTY:
    case EEXIST:
        return {RemovalOutcome::NotEmpty, ENOTEMPTY};
    default:
        return {RemovalOutcome::Failed, error};
    }
}

// Where a starting folder is removed from: its parent and its name in it. A
// path through "." or ".." is resolved first, since such a name names no entry
// and the parent it spells may lie below the folder.
std::pair<std::string, std::string> ParentAndName(std::string path) {
    if (StepsThroughDots(path)) {
        path = CanonicalPath(path);
    }
    const std::size_t separator = path.find_last_of(PathSeparators);
    if (separator == std::string::npos) {
        return {".", path};
    }
    std::string root = RootOf(path);
    return {separator < root.size() ? std::move(root) : path.substr(0, separator),
            path.substr(separator + 1)};
}

// The starting folders in the order they are worked through: one that lies
// inside another, however it was named, goes first, so its folders are gone
// before the other one's parents are tried.
std::vector<PlanIndex> StartingFolderOrder(const RemovalPlan& plan) {
    std::vector<std::pair<std::size_t, PlanIndex>> byDepth;
    for (const auto& start : plan.StartingFolders()) {
        byDepth.emplace_back(CanonicalPath(start.Path).size(), start.Node);
    }
    std::stable_sort(byDepth.begin(), byDepth.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<PlanIndex> order;
    order.reserve(byDepth.size());
    for (const auto& [depth, node] : byDepth) {
        order.push_back(node);
    }
    return order;
}

class Removal {
public:
    Removal(RemovalPlan& plan, const RemovalOptions& options, const RemovalListener& listener)
        : plan_(plan)
        , options_(options)
        , listener_(listener)
        , threads_(RemovalThreadCount(options.Threads))
        , budget_(HeldFolderBudget(options.OpenFolderBudget, threads_))
        , rules_(options.Rules)
        , latestOldEnough_(LatestOldEnough(rules_, FileTimeNow()))
        , pending_(plan.Size(), 0)
        , handles_(plan.Size(), NoHandle)
        , settled_(plan.Size(), 0)
        , checked_(plan.Size(), 0) {}

    Removal(const Removal&) = delete;
    Removal& operator=(const Removal&) = delete;
    ~Removal() { CloseAll(); }

    bool Run();

private:
    using Queue = WorkQueue<PlanIndex>;
    struct Worker {
        PlanPaths Paths;
        Queue::LocalStack Pending;
        // Made when a folder's listing is first needed.
        std::optional<DirectoryReader> Reader;
    };

    void RunFrom(PlanIndex start);
    void Work(Queue& queue, Worker& worker) noexcept;
    void Process(PlanIndex index, Worker& worker);
    void EnterFolder(PlanIndex index, Worker& worker);
    void ChildDone(PlanIndex parent, Worker& worker);
    void ProcessInOneThread(PlanIndex top, Worker& worker);
    OwnedHandle OpenChecked(NativeHandle parent, PlanIndex index, Worker& worker);
    void RemoveTarget(PlanIndex index, NativeHandle parent, const char* name, Worker& worker);
    RemovalResult RemoveFolder(PlanIndex index, NativeHandle parent, const char* name,
                               Worker& worker);
    RemovalResult CheckTakingAlong(PlanIndex index, NativeHandle parent, const char* name,
                                   Worker& worker);
    void FinishFolder(PlanIndex folder, NativeHandle handle, Worker& worker);
    void TrashChecked(PlanIndex top, NativeHandle parent, Worker& worker);
    void SettleChecked(PlanIndex top, RemovalResult outcome, std::string_view reason,
                       Worker& worker);
    static DirectoryReader& ReaderOf(Worker& worker);
    std::optional<RemovalOutcome> Exclusion(PlanIndex index, Worker& worker);
    std::optional<RemovalResult> RefusedByRules(const PlanNode& node,
                                                const std::optional<EntryStatus>& status,
                                                bool firstSight) const;
    void RemoveStartingFolder(PlanIndex index, Worker& worker);
    void Settle(PlanIndex index, RemovalResult outcome, Worker& worker,
                std::string_view reason = {});
    void SettleSubtree(PlanIndex top, RemovalResult outcome, Worker& worker);
    bool Cancelled() const noexcept {
        return options_.Cancel != nullptr && options_.Cancel->load(std::memory_order_relaxed);
    }
    void Hold(PlanIndex index, OwnedHandle folder);
    void ReleaseForRemoval(OwnedHandle& folder) const noexcept;
    void Close(PlanIndex index) noexcept;
    void CloseAll() noexcept;

    RemovalPlan& plan_;
    const RemovalOptions& options_;
    const RemovalListener& listener_;
    const unsigned threads_;
    const std::size_t budget_;
    const ScanRules& rules_;
    const FileTime latestOldEnough_;
    // Per node: children not yet handled, the handle held while they are
    // handled, and whether a target's outcome was told.
    std::vector<std::uint32_t> pending_;
    std::vector<NativeHandle> handles_;
    std::vector<std::uint8_t> settled_;
    // Per node: checked for the trash, waiting to go with its parent or alone.
    std::vector<std::uint8_t> checked_;
    std::atomic<std::size_t> heldOpen_{0};
    std::mutex report_;
    std::size_t handled_ = 0;
    std::mutex failure_;
    std::exception_ptr error_;
    // Where the starting folder being worked through is removed from: its
    // parent, opened before anything below is removed, and its name there.
    OwnedHandle startParent_;
    std::string startName_;
    int startParentError_ = 0;
    // The starting folder's path without links, and the length of the path
    // it was named by, for matching whole paths below it.
    std::string startCanonical_;
    std::size_t startLength_ = 0;
    std::uint64_t startDevice_ = 0;
};

bool Removal::Run() {
    for (const PlanIndex start : StartingFolderOrder(plan_)) {
        if (Cancelled()) {
            break;
        }
        RunFrom(start);
        CloseAll();
        if (error_) {
            std::rethrow_exception(error_);
        }
    }
    return handled_ == plan_.TargetCount();
}

void Removal::RunFrom(PlanIndex start) {
    PlanNode& root = plan_.Node(start);
    if (root.ChildCount == 0 && !root.IsTarget()) {
        return;
    }
    Worker worker;
    OwnedHandle folder = OpenFolderAt(CurrentFolder, root.Name, LinkPolicy::FollowOwned);
    if (!folder) {
        SettleSubtree(start, OpenFailure(errno), worker);
        return;
    }
    const auto status = StatusOf(folder.Get());
    const FolderIdentity identity = status ? status->Identity : FolderIdentity{};
    if (root.Identity.Known() && identity != root.Identity) {
        SettleSubtree(start, {RemovalOutcome::Changed, 0}, worker);
        return;
    }
    root.Identity = identity;
    startDevice_ = identity.Device;
    if (rules_.HasPathExclusions()) {
        startCanonical_ = CanonicalPathOf(folder.Get(), root.Name);
        startLength_ = std::string_view(root.Name).size();
    }
    // Its age is judged now: removing what lies below it makes it new.
    if (root.ChildCount > 0) {
        if (const auto refusal = RefusedByRules(root, status, true)) {
            Settle(start, *refusal, worker);
        }
    }
    // Found now: once folders below it are gone, a name like "a/.." no longer resolves.
    auto [parentPath, name] = ParentAndName(root.Name);
    startName_ = std::move(name);
    startParent_ = OpenFolderAt(CurrentFolder, parentPath, LinkPolicy::FollowOwned);
    startParentError_ = startParent_ ? 0 : errno;
    if (root.ChildCount == 0) {
        folder.Reset();
        RemoveStartingFolder(start, worker);
        return;
    }
    Hold(start, std::move(folder));
    Queue queue(start, threads_);
    std::vector<std::jthread> helpers;
    helpers.reserve(threads_ - 1);
    try {
        for (unsigned i = 1; i < threads_; ++i) {
            helpers.emplace_back([this, &queue] {
                Worker helper;
                Work(queue, helper);
            });
        }
    } catch (...) {
        // Under a limit on threads or memory the removal goes on in fewer.
        queue.Withdraw(threads_ - 1 - static_cast<unsigned>(helpers.size()));
    }
    Work(queue, worker);
}

void Removal::Work(Queue& queue, Worker& worker) noexcept {
    try {
        PlanIndex index = 0;
        while (queue.Next(worker.Pending, index)) {
            if (Cancelled() || queue.Stopped()) {
                queue.Stop();
                return;
            }
            Process(index, worker);
            queue.ShareIfAnyoneIdle(worker.Pending);
        }
    } catch (...) {
        {
            const std::lock_guard lock(failure_);
            if (!error_) {
                error_ = std::current_exception();
            }
        }
        queue.Stop();
    }
}

// Only folders with targets below them are queued: each is opened and held
// open while its children are handled, and the last child to finish removes
// it. The starting folder is open already.
void Removal::Process(PlanIndex index, Worker& worker) {
    const PlanNode& node = plan_.Node(index);
    if (node.IsStartingFolder()) {
        EnterFolder(index, worker);
        return;
    }
    const NativeHandle parent = handles_[node.Parent];
    if (heldOpen_.load(std::memory_order_relaxed) >= budget_) {
        ProcessInOneThread(index, worker);
    } else if (OwnedHandle folder = OpenChecked(parent, index, worker)) {
        Hold(index, std::move(folder));
        EnterFolder(index, worker);
        return;
    }
    ChildDone(node.Parent, worker);
}

// Queues the sub-folders of an open folder that have targets below them, for
// any thread, and removes the targets directly in it right here, one after
// another, in the order they were listed: removals in one folder wait on that
// folder's lock in the kernel, so more threads there only get in each other's
// way. The last child counted removes the folder itself.
void Removal::EnterFolder(PlanIndex index, Worker& worker) {
    pending_[index] = plan_.Node(index).ChildCount;
    const std::size_t first = worker.Pending.size();
    for (PlanIndex child = plan_.Node(index).FirstChild; child != PlanNode::None;
         child = plan_.Node(child).NextSibling) {
        if (plan_.Node(child).ChildCount > 0) {
            worker.Pending.push_back(child);
        }
    }
    // The stack is taken from its end: the first sub-folder goes first.
    std::reverse(worker.Pending.begin() + static_cast<std::ptrdiff_t>(first), worker.Pending.end());
    const NativeHandle folder = handles_[index];
    for (PlanIndex child = plan_.Node(index).FirstChild; child != PlanNode::None;) {
        const PlanIndex leaf = child;
        const PlanNode& node = plan_.Node(leaf);
        child = node.NextSibling;
        if (node.ChildCount > 0) {
            continue;
        }
        if (Cancelled()) {
            return;
        }
        RemoveTarget(leaf, folder, node.Name, worker);
        // The last count may remove and close the folder: its handle is not used after it.
        ChildDone(index, worker);
    }
}

// Counts a child of parent as handled. The last one removes the parent when it
// is a target, then counts the parent for its own parent, and so on upwards.
void Removal::ChildDone(PlanIndex parent, Worker& worker) {
    for (PlanIndex folder = parent;;) {
        std::atomic_ref<std::uint32_t> left(pending_[folder]);
        if (left.fetch_sub(1, std::memory_order_acq_rel) != 1) {
            return;
        }
        const PlanNode& node = plan_.Node(folder);
        if (node.IsTarget() && !settled_[folder] && !Cancelled()) {
            if (!options_.MoveToTrash) {
                Close(folder);
            }
            if (node.IsStartingFolder()) {
                RemoveStartingFolder(folder, worker);
            } else {
                RemoveTarget(folder, handles_[node.Parent], node.Name, worker);
            }
        }
        FinishFolder(folder, handles_[folder], worker);
        Close(folder);
        if (node.IsStartingFolder()) {
            return;
        }
        folder = node.Parent;
    }
}

// The subtree of top, depth first on this thread alone, holding no more than
// two folders open at a time: the way back up is taken through "..", and only
// to the folder that was left, which its identity proves.
void Removal::ProcessInOneThread(PlanIndex top, Worker& worker) {
    const NativeHandle topParent = handles_[plan_.Node(top).Parent];
    OwnedHandle current = OpenChecked(topParent, top, worker);
    if (!current) {
        return;
    }
    PlanIndex folder = top;
    PlanIndex next = plan_.Node(top).FirstChild;
    while (!Cancelled()) {
        if (next != PlanNode::None) {
            const PlanIndex child = next;
            const PlanNode& node = plan_.Node(child);
            next = node.NextSibling;
            if (node.ChildCount == 0) {
                RemoveTarget(child, current.Get(), node.Name, worker);
            } else if (OwnedHandle opened = OpenChecked(current.Get(), child, worker)) {
                current = std::move(opened);
                folder = child;
                next = node.FirstChild;
            }
            continue;
        }
        const PlanNode& node = plan_.Node(folder);
        if (folder == top) {
            if (node.IsTarget() && !settled_[top]) {
                ReleaseForRemoval(current);
                RemoveTarget(top, topParent, node.Name, worker);
            }
            FinishFolder(top, current.Get(), worker);
            return;
        }
        OwnedHandle parent = OpenFolderHandle(current.Get(), "..");
        if (!parent || IdentityOf(parent.Get()) != plan_.Node(node.Parent).Identity) {
            // Moved away meanwhile: what is left here can no longer be reached safely.
            SettleSubtree(top, {RemovalOutcome::Changed, 0}, worker);
            return;
        }
        if (node.IsTarget() && !settled_[folder]) {
            ReleaseForRemoval(current);
            RemoveTarget(folder, parent.Get(), node.Name, worker);
        }
        FinishFolder(folder, current.Get(), worker);
        next = node.NextSibling;
        folder = node.Parent;
        current = std::move(parent);
    }
}

// Opens a folder below its parent's handle, refusing a link or another
// folder than the one found before; a refusal settles everything below it.
// A folder the rules keep settles alone: what lies below it is judged on its own.
OwnedHandle Removal::OpenChecked(NativeHandle parent, PlanIndex index, Worker& worker) {
    PlanNode& node = plan_.Node(index);
    if (const auto excluded = Exclusion(index, worker)) {
        SettleSubtree(index, {*excluded, 0}, worker);
        return {};
    }
    OwnedHandle folder = OpenFolderHandle(parent, node.Name);
    if (!folder) {
        RemovalResult failure = OpenFailure(errno);
        // Listed without a scan, nothing has changed: say what is there.
        if (failure.Outcome == RemovalOutcome::Changed && !node.Identity.Known()) {
            failure.Outcome = IsLinkAt(parent, node.Name) ? RemovalOutcome::LinkOnPath
                                                          : RemovalOutcome::NotAFolder;
        }
        SettleSubtree(index, failure, worker);
        return folder;
    }
    const auto status = StatusOf(folder.Get());
    const FolderIdentity identity = status ? status->Identity : FolderIdentity{};
    if (node.Identity.Known() && identity != node.Identity) {
        SettleSubtree(index, {RemovalOutcome::Changed, 0}, worker);
        return {};
    }
    node.Identity = identity;
    if (const auto refusal = RefusedByRules(node, status, true)) {
        if (refusal->Outcome == RemovalOutcome::OtherFileSystem) {
            SettleSubtree(index, *refusal, worker);
            return {};
        }
        Settle(index, *refusal, worker);
    }
    return folder;
}

// What the rules say of a folder seen now. Its age counts only at first sight:
// once the folders below it are removed, it was modified just now.
std::optional<RemovalResult> Removal::RefusedByRules(const PlanNode& node,
                                                     const std::optional<EntryStatus>& status,
                                                     bool firstSight) const {
    if (rules_.OneFileSystem && !node.IsStartingFolder() &&
        (!status || status->Identity.Device != startDevice_ || status->MountRoot)) {
        return RemovalResult{RemovalOutcome::OtherFileSystem, 0};
    }
    // An age that cannot be read is too recent, as in a scan.
    if (firstSight && node.IsTarget() && rules_.HasMinimumAge() &&
        (!status || status->Modified > latestOldEnough_)) {
        return RemovalResult{RemovalOutcome::TooRecent, 0};
    }
    return std::nullopt;
}

// Removes one target from its parent, as rmdir does, after making sure the
// name still stands for the folder found before and the rules let it go. A
// target without targets below it is seen here for the first time.
void Removal::RemoveTarget(PlanIndex index, NativeHandle parent, const char* name, Worker& worker) {
    const PlanNode& node = plan_.Node(index);
    const bool firstSight = node.ChildCount == 0;
    if (firstSight && !node.IsStartingFolder()) {
        if (const auto excluded = Exclusion(index, worker)) {
            Settle(index, {*excluded, 0}, worker);
            return;
        }
    }
    if (node.Identity.Known() || (firstSight && (rules_.OneFileSystem || rules_.HasMinimumAge()))) {
        const auto status = StatusAt(parent, name);
        if (!status) {
            Settle(index, RemoveFailure(errno), worker);
            return;
        }
        if (!status->IsFolder || (node.Identity.Known() && status->Identity != node.Identity)) {
            Settle(
                index,
                {node.Identity.Known() ? RemovalOutcome::Changed : RemovalOutcome::NotAFolder, 0},
                worker);
            return;
        }
        if (const auto refusal = RefusedByRules(node, status, firstSight)) {
            Settle(index, *refusal, worker);
            return;
        }
    }
    RemovalResult result = RemoveFolder(index, parent, name, worker);
    // Without a scan nothing changed: what is there was never a folder.
    if (result.Outcome == RemovalOutcome::Changed && result.ErrorCode == ENOTDIR &&
        !node.Identity.Known()) {
        result.Outcome = RemovalOutcome::NotAFolder;
    }
    // Checked for the trash, it waits: its parent may take it along.
    if (result.Outcome == RemovalOutcome::Removed && options_.MoveToTrash && !options_.DryRun) {
        checked_[index] = 1;
        return;
    }
    Settle(index, result, worker);
}

// rmdir, and where junk files are all that keeps the folder, rmdir once more
// after removing them; or, for the trash, the check that it may go there.
RemovalResult Removal::RemoveFolder(PlanIndex index, NativeHandle parent, const char* name,
                                    Worker& worker) {
    if (options_.DryRun) {
        return {RemovalOutcome::Removed, 0};
    }
    if (options_.MoveToTrash) {
        return CheckTakingAlong(index, parent, name, worker);
    }
    const FolderIdentity& expected = plan_.Node(index).Identity;
    if (RemoveEmptyFolderAt(parent, name, expected)) {
        return {RemovalOutcome::Removed, 0};
    }
    const RemovalResult refused = RemoveFailure(errno);
    if (refused.Outcome != RemovalOutcome::NotEmpty || !rules_.HasJunk()) {
        return refused;
    }
    const RemovalResult cleared = RemoveJunkFiles(parent, name, expected, rules_, ReaderOf(worker));
    if (cleared.Outcome != RemovalOutcome::Removed) {
        return cleared;
    }
    if (RemoveEmptyFolderAt(parent, name, expected)) {
        return {RemovalOutcome::Removed, 0};
    }
    return RemoveFailure(errno);
}

// A folder may go to the trash with the sub-folders checked before it; those
// no longer there are gone, and said so, as they will not be in the trash.
RemovalResult Removal::CheckTakingAlong(PlanIndex index, NativeHandle parent, const char* name,
                                        Worker& worker) {
    PlanNode& node = plan_.Node(index);
    std::unordered_set<std::string_view> waiting;
    for (PlanIndex child = node.FirstChild; child != PlanNode::None;
         child = plan_.Node(child).NextSibling) {
        if (checked_[child]) {
            waiting.insert(plan_.Node(child).Name);
        }
    }
    std::unordered_set<std::string_view> met;
    const auto goesAlong = [&](std::string_view entry) {
        const auto found = waiting.find(entry);
        if (found == waiting.end()) {
            return false;
        }
        met.insert(*found);
        return true;
    };
    const RemovalResult result =
        CheckForTrash(parent, name, node.Identity, rules_, ReaderOf(worker),
                      waiting.empty() ? GoesAlongFunction() : GoesAlongFunction(goesAlong));
    if (result.Outcome != RemovalOutcome::Removed || met.size() == waiting.size()) {
        return result;
    }
    for (PlanIndex child = node.FirstChild; child != PlanNode::None;
         child = plan_.Node(child).NextSibling) {
        if (checked_[child] && !met.contains(plan_.Node(child).Name)) {
            checked_[child] = 0;
            Settle(child, {RemovalOutcome::Gone, ENOENT}, worker);
        }
    }
    return result;
}

// Once a folder's turn is over, the sub-folders checked for the trash go there
// on their own, unless the folder itself waits to take them along.
void Removal::FinishFolder(PlanIndex folder, NativeHandle handle, Worker& worker) {
    if (!options_.MoveToTrash || checked_[folder] || Cancelled()) {
        return;
    }
    for (PlanIndex child = plan_.Node(folder).FirstChild; child != PlanNode::None;
         child = plan_.Node(child).NextSibling) {
        if (checked_[child] && !settled_[child]) {
            TrashChecked(child, handle, worker);
        }
    }
}

// Hands a checked folder to the trash, and with it the checked folders inside.
// Should the trash refuse it, those go one by one from its handle, as rmdir
// would have taken them where their parent stayed, within the budget of
// open folders; past it they stay, for the same reason.
void Removal::TrashChecked(PlanIndex top, NativeHandle parent, Worker& worker) {
    struct Step {
        PlanIndex Folder;
        NativeHandle Parent;
    };
    std::vector<Step> steps{{top, parent}};
    std::vector<OwnedHandle> handles;
    std::string reason;
    while (!steps.empty()) {
        const auto [folder, at] = steps.back();
        steps.pop_back();
        const PlanNode& node = plan_.Node(folder);
        const std::string spelled(worker.Paths.PathOf(plan_, folder));
        reason.clear();
        RemovalResult result =
            HandToTrash(at, node.Name, node.Identity, spelled, options_.MoveToTrash, reason);
        if (result.Outcome == RemovalOutcome::Removed) {
            SettleChecked(folder, result, {}, worker);
            continue;
        }
        Settle(folder, result, worker, reason);
        if (node.ChildCount == 0) {
            continue;
        }
        OwnedHandle handle;
        if (result.Outcome == RemovalOutcome::NotTrashed && !Cancelled() &&
            heldOpen_.load(std::memory_order_relaxed) + handles.size() < budget_) {
            handle = OpenFolderHandle(at, node.Name);
            if (!handle || IdentityOf(handle.Get()) != node.Identity) {
                result = {RemovalOutcome::Changed, 0};
                reason.clear();
                handle = OwnedHandle();
            }
        }
        if (!handle) {
            SettleChecked(folder, result, reason, worker);
            continue;
        }
        for (PlanIndex child = node.FirstChild; child != PlanNode::None;
             child = plan_.Node(child).NextSibling) {
            if (checked_[child] && !settled_[child]) {
                steps.push_back({child, handle.Get()});
            }
        }
        handles.push_back(std::move(handle));
    }
}

// Settles every checked folder at and below top that is not settled yet.
void Removal::SettleChecked(PlanIndex top, RemovalResult outcome, std::string_view reason,
                            Worker& worker) {
    plan_.ForEachChildrenFirst(top, [&](PlanIndex index) {
        if (checked_[index] && !settled_[index]) {
            Settle(index, outcome, worker, reason);
        }
    });
}

// Whether an exclusion names the folder, by its name or by its whole path.
std::optional<RemovalOutcome> Removal::Exclusion(PlanIndex index, Worker& worker) {
    if (rules_.HasExclusions() && rules_.IsExcludedFolder(plan_.Node(index).Name)) {
        return RemovalOutcome::Excluded;
    }
    if (!rules_.HasPathExclusions()) {
        return std::nullopt;
    }
    std::string path = startCanonical_;
    path += worker.Paths.PathOf(plan_, index).substr(startLength_);
    if (rules_.IsExcludedPath(path.c_str())) {
        return RemovalOutcome::ExcludedPath;
    }
    return std::nullopt;
}

DirectoryReader& Removal::ReaderOf(Worker& worker) {
    if (!worker.Reader) {
        worker.Reader.emplace();
    }
    return *worker.Reader;
}

// A starting folder is removed from its parent, found the way the folder was
// named. One named through a link stays: the link is not the folder.
void Removal::RemoveStartingFolder(PlanIndex index, Worker& worker) {
    const std::string path = plan_.Node(index).Name;
    if (IsLink(path)) {
        Settle(index, {RemovalOutcome::ThroughLink, 0}, worker);
        return;
    }
    if (startName_.empty() || startName_ == "." || startName_ == "..") {
        Settle(index, {RemovalOutcome::Failed, EBUSY}, worker);
        return;
    }
    if (!startParent_) {
        Settle(index, OpenFailure(startParentError_), worker);
        return;
    }
    RemoveTarget(index, startParent_.Get(), startName_.c_str(), worker);
    // No parent of its own takes it along.
    if (checked_[index]) {
        TrashChecked(index, startParent_.Get(), worker);
    }
}

void Removal::Settle(PlanIndex index, RemovalResult outcome, Worker& worker,
                     std::string_view reason) {
    settled_[index] = 1;
    const std::string_view path = worker.Paths.PathOf(plan_, index);
    const std::lock_guard lock(report_);
    ++handled_;
    if (listener_) {
        listener_({path, plan_.Node(index).Tag, outcome.Outcome, outcome.ErrorCode, reason});
    }
}

void Removal::SettleSubtree(PlanIndex top, RemovalResult outcome, Worker& worker) {
    plan_.ForEachChildrenFirst(top, [&](PlanIndex index) {
        if (plan_.Node(index).IsTarget() && !settled_[index]) {
            Settle(index, outcome, worker);
        }
    });
}

void Removal::Hold(PlanIndex index, OwnedHandle folder) {
    handles_[index] = folder.Release();
    heldOpen_.fetch_add(1, std::memory_order_relaxed);
}

// A folder's own handle goes before the folder does: Windows removes a folder
// only once no handle holds it open. The trash's checks still need it.
void Removal::ReleaseForRemoval(OwnedHandle& folder) const noexcept {
    if (!options_.MoveToTrash) {
        folder.Reset();
    }
}

void Removal::Close(PlanIndex index) noexcept {
    if (handles_[index] != NoHandle) {
        OwnedHandle(std::exchange(handles_[index], NoHandle)).Reset();
        heldOpen_.fetch_sub(1, std::memory_order_relaxed);
    }
}

void Removal::CloseAll() noexcept {
    for (std::size_t index = 0; index < handles_.size(); ++index) {
        Close(static_cast<PlanIndex>(index));
    }
}

} // namespace

bool RemoveFolders(RemovalPlan& plan, const RemovalOptions& options,
                   const RemovalListener& listener) {
    Removal removal(plan, options, listener);
    return removal.Run();
}

} // namespace hollowsweep
