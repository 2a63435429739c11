#include "core/scan/FolderWalker.h"

#include "core/parallel/ParallelLimits.h"
#include "core/parallel/WorkQueue.h"
#include "core/platform/DirectoryReader.h"
#include "core/platform/EntryStatus.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/NameArena.h"
#include "core/scan/FolderTree.h"
#include "core/scan/WalkProtection.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace hollowsweep {

namespace {

constexpr NodeIndex RootIndex = 0;
constexpr std::uint64_t ProgressInterval = 1024;

// A folder that could not be read; a name that turned into a link or a file
// meanwhile is content like any other and no failure.
bool IsReadFailure(int error) noexcept {
    return error != ELOOP && error != ENOTDIR;
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
    if (relative.empty()) {
        return folder;
    }
    return folder.ends_with(PathSeparator) ? folder + relative : folder + PathSeparator + relative;
}

// One walk: the shared tree of folders, the queue of folders still to read and
// the folders held open for reaching sub-folders.
class ParallelWalk {
public:
    ParallelWalk(const ScanOptions& options, OwnedHandle root, std::string canonicalRoot,
                 unsigned threads)
        : options_(options)
        , rules_(options.Rules)
        , canonicalRoot_(std::move(canonicalRoot))
        , latestOldEnough_(LatestOldEnough(rules_, FileTimeNow()))
        , budget_(HeldFolderBudget(options.OpenFolderBudget, threads))
        , root_(std::move(root))
        , names_(threads)
        , queue_(RootIndex, threads) {
        tree_.Node(tree_.AddNodes(1)) = {"", RootIndex, FolderNode::EmptyLeaf, {}};
        if (rules_.OneFileSystem) {
            const auto status = StatusOf(root_.Get());
            rootDevice_ = status ? status->Identity.Device : 0;
        }
        if (rules_.ProtectFolders) {
            protection_ = std::make_unique<WalkProtection>(canonicalRoot_);
        }
    }

    ParallelWalk(const ParallelWalk&) = delete;
    ParallelWalk& operator=(const ParallelWalk&) = delete;
    ~ParallelWalk() { CloseHeldFolders(); }

    // False when cancelled: then nothing was decided and nothing is reported.
    bool ReadAll();
    void ReportUnreadable(const std::string& rootPath, const UnreadableFolderSink& sink);
    void ReportEmpty(std::string rootPath, const EmptyFolderSink& sink,
                     const ProtectedFolderSink& kept);

private:
    void Work(NameArena& names) noexcept;
    bool Cancelled() const noexcept {
        return options_.Cancel != nullptr && options_.Cancel->load(std::memory_order_relaxed);
    }
    void ScanFolder(NodeIndex index, DirectoryReader& reader, NameArena& names,
                    std::vector<const char*>& subFolders,
                    WorkQueue<NodeIndex>::LocalStack& pending);
    bool ReadListing(NativeHandle folder, DirectoryReader& reader, NameArena& names,
                     std::vector<const char*>& subFolders, NodeIndex index,
                     ListingMarkers& markers);
    bool IsSystemMount(NodeIndex index);
    void ProtectFromListing(NodeIndex index, NativeHandle folder, const ListingMarkers& markers,
                            NodeIndex firstChild, std::uint32_t count);
    std::optional<ProtectionKind> SealOf(NodeIndex index) const;
    bool IsSealed(NodeIndex index);
    std::optional<Protection> ProtectionOf(NodeIndex index, std::optional<ProtectionKind> seal,
                                           std::string_view relativePath) const;
    void MarkParentHoldsKept(NodeIndex index) noexcept;
    bool IsTooRecent(const std::optional<EntryStatus>& status) const noexcept;
    std::optional<bool> IsOnOtherFileSystemUnopened(NodeIndex index);
    bool IsOnOtherFileSystem(NodeIndex index, NativeHandle folder,
                             std::optional<EntryStatus>& status) const;
    bool IsOtherFileSystem(const EntryStatus& status) const noexcept;
    void MarkAsContent(FolderNode& node);
    OwnedHandle OpenFolder(NodeIndex index, int& error);
    void NoteUnreadable(NodeIndex index, int error);
    void ReleaseParent(NodeIndex index) noexcept;
    std::string PathFromRoot(NodeIndex index);
    std::string AbsolutePath(NodeIndex index);
    void HoldOpen(FolderFamily& family, OwnedHandle& folder);
    void CountScanned();
    void DecideEmptiness() noexcept;
    void CloseHeldFolders() noexcept;

    const ScanOptions& options_;
    const ScanRules& rules_;
    const std::string canonicalRoot_;
    const FileTime latestOldEnough_;
    std::uint64_t rootDevice_ = 0;
    const std::size_t budget_;
    OwnedHandle root_;
    std::vector<NameArena> names_;
    FolderTree tree_;
    WorkQueue<NodeIndex> queue_;
    std::atomic<std::size_t> heldOpen_{0};
    std::atomic<std::uint64_t> scanned_{0};
    std::mutex progress_;
    std::mutex failure_;
    std::exception_ptr error_;
    std::vector<std::pair<NodeIndex, int>> unreadable_;
    std::unique_ptr<WalkProtection> protection_;
};

bool ParallelWalk::ReadAll() {
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(names_.size() - 1);
        try {
            for (std::size_t i = 1; i < names_.size(); ++i) {
                helpers.emplace_back([this, i] { Work(names_[i]); });
            }
        } catch (...) {
            // Under a limit on threads or memory the walk goes on in fewer.
            queue_.Withdraw(static_cast<unsigned>(names_.size() - 1 - helpers.size()));
        }
        Work(names_[0]);
    }
    if (error_) {
        std::rethrow_exception(error_);
    }
    if (Cancelled()) {
        return false;
    }
    if (options_.Progress) {
        options_.Progress(scanned_.load());
    }
    return true;
}

void ParallelWalk::Work(NameArena& names) noexcept {
    try {
        DirectoryReader reader;
        std::vector<const char*> subFolders;
        WorkQueue<NodeIndex>::LocalStack pending;
        NodeIndex index = 0;
        while (queue_.Next(pending, index)) {
            if (Cancelled()) {
                queue_.Stop();
                return;
            }
            ScanFolder(index, reader, names, subFolders, pending);
            queue_.ShareIfAnyoneIdle(pending);
        }
    } catch (...) {
        {
            const std::lock_guard lock(failure_);
            if (!error_) {
                error_ = std::current_exception();
            }
        }
        queue_.Stop();
    }
}

// Reads one folder and settles what it can: that it counts as content, or a
// node for each sub-folder to read in turn.
void ParallelWalk::ScanFolder(NodeIndex index, DirectoryReader& reader, NameArena& names,
                              std::vector<const char*>& subFolders,
                              WorkQueue<NodeIndex>::LocalStack& pending) {
    FolderNode& node = tree_.Node(index);
    subFolders.clear();
    const std::optional<bool> otherBeforeOpening = IsOnOtherFileSystemUnopened(index);
    if (otherBeforeOpening.value_or(false) || IsSystemMount(index)) {
        ReleaseParent(index);
        MarkAsContent(node);
        return;
    }
    int openError = 0;
    OwnedHandle folder = OpenFolder(index, openError);
    // The open folder's status, read at most once.
    std::optional<EntryStatus> status;
    if (!folder || (!otherBeforeOpening && IsOnOtherFileSystem(index, folder.Get(), status))) {
        if (!folder && IsReadFailure(openError)) {
            NoteUnreadable(index, openError);
        }
        MarkAsContent(node);
        return;
    }
    ListingMarkers markers;
    bool holdsContent = ReadListing(folder.Get(), reader, names, subFolders, index, markers);
    if (!holdsContent) {
        // Only a folder that may turn out empty needs its identity and age:
        // the others are not empty whatever their age.
        if (!status) {
            status = StatusOf(folder.Get());
        }
        node.Identity = status ? status->Identity : FolderIdentity{};
        holdsContent = IsTooRecent(status);
        if (protection_ && status && status->MountRoot) {
            protection_->Label(index, ProtectionKind::MountPoint);
        }
    }
    const auto count = static_cast<std::uint32_t>(subFolders.size());
    if (count == 0) {
        node.Family = holdsContent ? FolderNode::FullLeaf : FolderNode::EmptyLeaf;
    } else {
        const NodeIndex first = tree_.AddNodes(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            tree_.Node(first + i) = {subFolders[i], index, FolderNode::EmptyLeaf, {}};
        }
        if (protection_) {
            ProtectFromListing(index, folder.Get(), markers, first, count);
        }
        FolderFamily& family = tree_.AddFamily(node);
        const auto flags = static_cast<std::uint8_t>(holdsContent ? FolderNode::NotEmpty : 0);
        family = {first, count, NoHandle, count, flags};
        HoldOpen(family, folder);
        for (std::uint32_t i = count; i > 0; --i) {
            pending.push_back(first + i - 1);
        }
    }
    CountScanned();
}

void ParallelWalk::MarkAsContent(FolderNode& node) {
    node.Family = FolderNode::FullLeaf;
    CountScanned();
}

// Collects the sub-folders to read and tells whether the listing holds
// content: anything but a folder or a junk file, or an excluded folder. A
// listing that cannot be read whole is content, and none of it is read on.
bool ParallelWalk::ReadListing(NativeHandle folder, DirectoryReader& reader, NameArena& names,
                               std::vector<const char*>& subFolders, NodeIndex index,
                               ListingMarkers& markers) {
    bool holdsContent = false;
    // The folder's own path, made only where a path pattern needs it.
    std::string folderPath;
    std::size_t folderLength = 0;
    const auto isExcludedPath = [&](std::string_view name) {
        if (folderPath.empty()) {
            folderPath = AbsolutePath(index);
            if (!folderPath.ends_with(PathSeparator)) {
                folderPath += PathSeparator;
            }
            folderLength = folderPath.size();
        }
        folderPath.resize(folderLength);
        folderPath += name;
        return rules_.IsExcludedPath(folderPath.c_str());
    };
    const int error = reader.ReadEntries(folder, [&](std::string_view name, EntryKind kind) {
        if (protection_) {
            markers.Note(name, kind);
        }
        switch (kind) {
        case EntryKind::Folder:
            if ((rules_.HasExclusions() && rules_.IsExcludedFolder(name.data())) ||
                (rules_.HasPathExclusions() && isExcludedPath(name))) {
                holdsContent = true;
            } else {
                subFolders.push_back(names.Store(name));
            }
            break;
        case EntryKind::File:
            holdsContent = holdsContent || !rules_.HasJunk() || !rules_.IsJunkFile(name.data());
            break;
        case EntryKind::Other:
            holdsContent = true;
            break;
        }
    });
    if (error != 0) {
        NoteUnreadable(index, error);
        subFolders.clear();
        return true;
    }
    return holdsContent;
}

// A system file system mounted below the starting folder is never entered.
// Its place is known from the mount list, so only folders no deeper than the
// deepest such mount are compared.
bool ParallelWalk::IsSystemMount(NodeIndex index) {
    if (!protection_ || protection_->SystemMountDepth() == 0 || index == RootIndex) {
        return false;
    }
    std::size_t depth = 0;
    for (NodeIndex at = index; at != RootIndex; at = tree_.Node(at).Parent) {
        if (++depth > protection_->SystemMountDepth()) {
            return false;
        }
    }
    return protection_->IsSystemMount(PathFromRoot(index));
}

// Labels what a folder's listing shows to be protected: the folder itself by
// what it holds, and its sub-folders by their names or as a Maildir's. A
// work tree's .gitmodules is read before its sub-folders are, so their
// placeholders are known when the walk is decided.
void ParallelWalk::ProtectFromListing(NodeIndex index, NativeHandle folder,
                                      const ListingMarkers& markers, NodeIndex firstChild,
                                      std::uint32_t count) {
    if (const auto own = markers.OwnProtection()) {
        protection_->Label(index, *own);
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string_view name = tree_.Node(firstChild + i).Name;
        if (const auto kind = ProtectionByName(name)) {
            protection_->Label(firstChild + i, *kind);
        } else if (markers.IsMaildir() && ListingMarkers::IsMaildirFolderName(name)) {
            protection_->Label(firstChild + i, ProtectionKind::MailFolder);
        }
    }
    if (markers.NamesSubmodules()) {
        protection_->AddSubmodules(index == RootIndex ? std::string() : PathFromRoot(index),
                                   SubmodulesNamedIn(folder));
    }
}

// An age that cannot be read is too recent: the rule is there to keep
// folders that may be in use.
bool ParallelWalk::IsTooRecent(const std::optional<EntryStatus>& status) const noexcept {
    return rules_.HasMinimumAge() && (!status || status->Modified > latestOldEnough_);
}

// Under the one-file-system rule a folder is judged before it is opened where
// its parent is held open: a mount is then never opened, so no automount is
// set off, and one that may not be read is no failure. None when that could
// not be judged.
std::optional<bool> ParallelWalk::IsOnOtherFileSystemUnopened(NodeIndex index) {
    if (!rules_.OneFileSystem || index == RootIndex) {
        return std::nullopt;
    }
    const FolderNode& node = tree_.Node(index);
    // Held open until this folder is released, as it is not opened yet.
    const NativeHandle parent = tree_.Family(tree_.Node(node.Parent)).Handle;
    if (parent == NoHandle) {
        return std::nullopt;
    }
    const auto status = StatusAt(parent, node.Name);
    if (!status) {
        return std::nullopt;
    }
    return IsOtherFileSystem(*status);
}

bool ParallelWalk::IsOnOtherFileSystem(NodeIndex index, NativeHandle folder,
                                       std::optional<EntryStatus>& status) const {
    if (!rules_.OneFileSystem || index == RootIndex) {
        return false;
    }
    status = StatusOf(folder);
    // Unknown is other: the rule is there to keep the walk out of places.
    return !status || IsOtherFileSystem(*status);
}

bool ParallelWalk::IsOtherFileSystem(const EntryStatus& status) const noexcept {
    return status.Identity.Device != rootDevice_ || status.MountRoot;
}

void ParallelWalk::NoteUnreadable(NodeIndex index, int error) {
    const std::lock_guard lock(failure_);
    unreadable_.emplace_back(index, error);
}

// Opens a queued folder relative to its parent while the parent is held open,
// else along its path from the starting folder, refusing links on the way.
OwnedHandle ParallelWalk::OpenFolder(NodeIndex index, int& error) {
    if (index == RootIndex) {
        OwnedHandle folder = Duplicate(root_.Get());
        error = folder ? 0 : errno;
        return folder;
    }
    const FolderNode& node = tree_.Node(index);
    const NativeHandle parent = tree_.Family(tree_.Node(node.Parent)).Handle;
    OwnedHandle folder = parent != NoHandle
                             ? OpenSubFolder(parent, node.Name)
                             : OpenFolderAt(root_.Get(), PathFromRoot(index), LinkPolicy::Refuse);
    error = folder ? 0 : errno;
    ReleaseParent(index);
    return folder;
}

void ParallelWalk::ReleaseParent(NodeIndex index) noexcept {
    FolderFamily& parent = tree_.Family(tree_.Node(tree_.Node(index).Parent));
    std::atomic_ref<std::uint32_t> unopened(parent.UnopenedChildren);
    if (unopened.fetch_sub(1, std::memory_order_acq_rel) == 1 && parent.Handle != NoHandle) {
        OwnedHandle(std::exchange(parent.Handle, NoHandle)).Reset();
        heldOpen_.fetch_sub(1, std::memory_order_relaxed);
    }
}

std::string ParallelWalk::AbsolutePath(NodeIndex index) {
    if (index == RootIndex) {
        return canonicalRoot_;
    }
    return JoinPath(canonicalRoot_, PathFromRoot(index));
}

std::string ParallelWalk::PathFromRoot(NodeIndex index) {
    std::vector<const char*> names;
    for (; index != RootIndex; index = tree_.Node(index).Parent) {
        names.push_back(tree_.Node(index).Name);
    }
    std::string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        path += *name;
        path += PathSeparator;
    }
    path.pop_back();
    return path;
}

// Keeps a folder's handle for opening its sub-folders, within the budget;
// past it, the sub-folders are opened along their paths instead.
void ParallelWalk::HoldOpen(FolderFamily& family, OwnedHandle& folder) {
    if (heldOpen_.fetch_add(1, std::memory_order_relaxed) < budget_) {
        family.Handle = folder.Release();
    } else {
        heldOpen_.fetch_sub(1, std::memory_order_relaxed);
    }
}

void ParallelWalk::CountScanned() {
    const std::uint64_t scanned = scanned_.fetch_add(1, std::memory_order_relaxed) + 1;
    if (options_.Progress && scanned % ProgressInterval == 0) {
        const std::unique_lock lock(progress_, std::try_to_lock);
        if (lock) {
            // Read again under the lock, so the counts heard never go down.
            options_.Progress(scanned_.load(std::memory_order_relaxed));
        }
    }
}

// In the order the folders were met, which keeps a folder before those below it.
void ParallelWalk::ReportUnreadable(const std::string& rootPath, const UnreadableFolderSink& sink) {
    std::sort(unreadable_.begin(), unreadable_.end());
    for (const auto& [index, error] : unreadable_) {
        // What another program keeps to itself counts as content, read or not.
        if (sink && !IsSealed(index)) {
            sink(JoinPath(rootPath, index == RootIndex ? std::string() : PathFromRoot(index)),
                 error);
        }
    }
}

// Children come after their parents, so one backward pass settles every folder
// before its parent looks at it.
void ParallelWalk::DecideEmptiness() noexcept {
    for (std::size_t index = tree_.Size() - 1; index > RootIndex; --index) {
        const FolderNode& node = tree_.Node(static_cast<NodeIndex>(index));
        const std::uint8_t flags = tree_.Flags(node);
        std::uint8_t& parentFlags = tree_.Family(tree_.Node(node.Parent)).Flags;
        parentFlags |=
            (flags & FolderNode::NotEmpty) ? FolderNode::NotEmpty : FolderNode::HoldsEmpty;
        parentFlags |= flags & FolderNode::HoldsEmpty;
    }
}

// The ordered pass: depth first, sub-folders in listing order, each folder
// reported after everything below it. Branches with nothing empty are skipped.
// A folder that holds no file but is protected, or holds one that is, goes
// to kept instead; so does everything below a folder whose contents are
// another program's.
void ParallelWalk::ReportEmpty(std::string rootPath, const EmptyFolderSink& sink,
                               const ProtectedFolderSink& kept) {
    DecideEmptiness();
    struct Frame {
        NodeIndex Index;
        std::uint32_t NextChild;
        std::size_t PathLength;
        std::optional<ProtectionKind> Seal;
    };
    // Where the path below the starting folder begins.
    const std::size_t relativeStart =
        rootPath.ends_with(PathSeparator) ? rootPath.size() : rootPath.size() + 1;
    std::string path = std::move(rootPath);
    std::vector<Frame> frames{{RootIndex, 0, path.size(), SealOf(RootIndex)}};
    while (!frames.empty()) {
        Frame& frame = frames.back();
        const FolderNode& node = tree_.Node(frame.Index);
        if (FolderTree::HasFamily(node) && frame.NextChild < tree_.Family(node).ChildCount) {
            const NodeIndex childIndex = tree_.Family(node).FirstChild + frame.NextChild++;
            const FolderNode& child = tree_.Node(childIndex);
            if (tree_.Flags(child) == FolderNode::NotEmpty) {
                continue;
            }
            const std::size_t length = path.size();
            if (path.back() != PathSeparator) {
                path += PathSeparator;
            }
            path += child.Name;
            const auto seal = frame.Seal ? frame.Seal : SealOf(childIndex);
            frames.push_back({childIndex, 0, length, seal});
            continue;
        }
        const std::uint8_t flags = tree_.Flags(node);
        if (!(flags & FolderNode::NotEmpty)) {
            const std::string_view relative = frame.Index == RootIndex
                                                  ? std::string_view()
                                                  : std::string_view(path).substr(relativeStart);
            if (const auto protection = ProtectionOf(frame.Index, frame.Seal, relative)) {
                if (kept) {
                    kept(path, *protection);
                }
                MarkParentHoldsKept(frame.Index);
            } else if (flags & FolderNode::HoldsKept) {
                MarkParentHoldsKept(frame.Index);
            } else {
                sink({path, node.Identity});
            }
        }
        path.resize(frame.PathLength);
        frames.pop_back();
    }
}

// The protection a folder and everything below it have from it: by its own
// label, or for the starting folder from the folders above it.
std::optional<ProtectionKind> ParallelWalk::SealOf(NodeIndex index) const {
    if (!protection_) {
        return std::nullopt;
    }
    if (index == RootIndex && protection_->RootProtection() &&
        SealsContents(protection_->RootProtection()->Kind)) {
        return protection_->RootProtection()->Kind;
    }
    const auto label = protection_->LabelOf(index);
    return label && SealsContents(*label) ? label : std::nullopt;
}

bool ParallelWalk::IsSealed(NodeIndex index) {
    for (;; index = tree_.Node(index).Parent) {
        if (SealOf(index)) {
            return true;
        }
        if (index == RootIndex) {
            return false;
        }
    }
}

// Why a folder that holds no file is kept, if it is.
std::optional<Protection> ParallelWalk::ProtectionOf(NodeIndex index,
                                                     std::optional<ProtectionKind> seal,
                                                     std::string_view relativePath) const {
    if (!protection_) {
        return std::nullopt;
    }
    if (seal) {
        return Protection{*seal, {}};
    }
    if (const auto label = protection_->LabelOf(index)) {
        return Protection{*label, {}};
    }
    if (index == RootIndex && protection_->RootProtection()) {
        return protection_->RootProtection();
    }
    return protection_->ByPlace(relativePath);
}

void ParallelWalk::MarkParentHoldsKept(NodeIndex index) noexcept {
    if (index != RootIndex) {
        tree_.Family(tree_.Node(tree_.Node(index).Parent)).Flags |= FolderNode::HoldsKept;
    }
}

void ParallelWalk::CloseHeldFolders() noexcept {
    for (std::size_t index = 0; index < tree_.Size(); ++index) {
        const FolderNode& node = tree_.Node(static_cast<NodeIndex>(index));
        if (FolderTree::HasFamily(node) && tree_.Family(node).Handle != NoHandle) {
            OwnedHandle(std::exchange(tree_.Family(node).Handle, NoHandle)).Reset();
        }
    }
}
} // namespace

FolderWalker::FolderWalker(ScanOptions options)
    : options_(std::move(options)) {}

bool FolderWalker::Walk(std::string_view folder, const EmptyFolderSink& sink,
                        const UnreadableFolderSink& unreadable, const ProtectedFolderSink& kept) {
    std::string stored = StoredFolderPath(folder);
    OwnedHandle root = OpenFolderAt(CurrentFolder, stored, LinkPolicy::FollowOwned);
    if (!root) {
        if (unreadable) {
            unreadable(stored, errno);
        }
        return true;
    }
    std::string canonical = CanonicalPathOf(root.Get(), stored);
    ParallelWalk walk(options_, std::move(root), std::move(canonical),
                      ScanThreadCount(options_.Threads));
    if (!walk.ReadAll()) {
        return false;
    }
    walk.ReportUnreadable(stored, unreadable);
    walk.ReportEmpty(std::move(stored), sink, kept);
    return true;
}

} // namespace hollowsweep
