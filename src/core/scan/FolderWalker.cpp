#include "scan/FolderWalker.h"

#include "parallel/ParallelLimits.h"
#include "parallel/WorkQueue.h"
#include "platform/DirectoryReader.h"
#include "platform/FolderPaths.h"
#include "scan/FolderTree.h"
#include "scan/NameArena.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace hollowsweep {

namespace {

constexpr TNodeIndex RootIndex = 0;
constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
constexpr std::uint64_t ProgressInterval = 1024;

// One walk: the shared tree of folders, the queue of folders still to read and
// the descriptors held open for reaching sub-folders.
class TWalk {
public:
    TWalk(const TScanOptions& options, TFileDescriptor root, unsigned threads)
        : options_(options)
        , budget_(OpenFolderBudget(options.OpenFolderBudget))
        , root_(std::move(root))
        , names_(threads)
        , queue_(RootIndex, threads) {
        tree_.Node(tree_.AddNodes(1)) = {"", RootIndex, TFolderNode::EmptyLeaf, {}};
    }

    TWalk(const TWalk&) = delete;
    TWalk& operator=(const TWalk&) = delete;
    ~TWalk() { CloseHeldFolders(); }

    void ReadAll();
    void ReportEmpty(std::string rootPath, const TEmptyFolderSink& sink);

private:
    void Work(TNameArena& names) noexcept;
    void ScanFolder(TNodeIndex index, TDirectoryReader& reader, TNameArena& names,
                    std::vector<const char*>& subFolders, TWorkQueue<TNodeIndex>::TLocal& pending);
    TFileDescriptor OpenFolder(TNodeIndex index);
    void ReleaseParent(TNodeIndex index) noexcept;
    std::string PathFromRoot(TNodeIndex index);
    void HoldOpen(TFolderFamily& family, TFileDescriptor& fd);
    void CountScanned();
    void DecideEmptiness() noexcept;
    void CloseHeldFolders() noexcept;

    const TScanOptions& options_;
    const std::size_t budget_;
    TFileDescriptor root_;
    std::vector<TNameArena> names_;
    TFolderTree tree_;
    TWorkQueue<TNodeIndex> queue_;
    std::atomic<std::size_t> heldOpen_{0};
    std::atomic<std::uint64_t> scanned_{0};
    std::mutex progress_;
    std::mutex failure_;
    std::exception_ptr error_;
};

void TWalk::ReadAll() {
    {
        std::vector<std::jthread> helpers;
        for (std::size_t i = 1; i < names_.size(); ++i) {
            helpers.emplace_back([this, i] { Work(names_[i]); });
        }
        Work(names_[0]);
    }
    if (error_) {
        std::rethrow_exception(error_);
    }
    if (options_.Progress) {
        options_.Progress(scanned_.load());
    }
}

void TWalk::Work(TNameArena& names) noexcept {
    try {
        TDirectoryReader reader;
        std::vector<const char*> subFolders;
        TWorkQueue<TNodeIndex>::TLocal pending;
        TNodeIndex index = 0;
        while (queue_.Next(pending, index)) {
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

// Reads one folder's listing: anything but a sub-folder makes it not empty,
// and every sub-folder becomes a node to read in turn.
void TWalk::ScanFolder(TNodeIndex index, TDirectoryReader& reader, TNameArena& names,
                       std::vector<const char*>& subFolders,
                       TWorkQueue<TNodeIndex>::TLocal& pending) {
    TFileDescriptor fd = OpenFolder(index);
    subFolders.clear();
    bool holdsContent = !fd;
    if (fd) {
        const int error = reader.ReadEntries(fd.Get(), [&](std::string_view name, TEntryKind kind) {
            if (kind == TEntryKind::Folder) {
                subFolders.push_back(names.Store(name));
            } else {
                holdsContent = true;
            }
        });
        if (error != 0) {
            holdsContent = true;
            subFolders.clear();
        }
    }
    TFolderNode& node = tree_.Node(index);
    if (!holdsContent) {
        node.Identity = IdentityOf(fd.Get());
    }
    const auto count = static_cast<std::uint32_t>(subFolders.size());
    if (count == 0) {
        node.Family = holdsContent ? TFolderNode::FullLeaf : TFolderNode::EmptyLeaf;
    } else {
        const TNodeIndex first = tree_.AddNodes(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            tree_.Node(first + i) = {subFolders[i], index, TFolderNode::EmptyLeaf, {}};
        }
        TFolderFamily& family = tree_.AddFamily(node);
        const auto flags = static_cast<std::uint8_t>(holdsContent ? TFolderNode::NotEmpty : 0);
        family = {first, count, -1, count, flags};
        HoldOpen(family, fd);
        for (std::uint32_t i = count; i > 0; --i) {
            pending.push_back(first + i - 1);
        }
    }
    CountScanned();
}

// Opens a queued folder relative to its parent while the parent is held open,
// else along its path from the starting folder, refusing links on the way.
TFileDescriptor TWalk::OpenFolder(TNodeIndex index) {
    if (index == RootIndex) {
        return TFileDescriptor(::dup(root_.Get()));
    }
    const TFolderNode& node = tree_.Node(index);
    const int parentFd = tree_.Family(tree_.Node(node.Parent)).Fd;
    TFileDescriptor fd =
        parentFd >= 0 ? TFileDescriptor(::openat(parentFd, node.Name, FolderFlags | O_NOFOLLOW))
                      : OpenFolderAt(root_.Get(), PathFromRoot(index), TLinkPolicy::Refuse);
    ReleaseParent(index);
    return fd;
}

void TWalk::ReleaseParent(TNodeIndex index) noexcept {
    TFolderFamily& parent = tree_.Family(tree_.Node(tree_.Node(index).Parent));
    std::atomic_ref<std::uint32_t> unopened(parent.UnopenedChildren);
    if (unopened.fetch_sub(1, std::memory_order_acq_rel) == 1 && parent.Fd >= 0) {
        ::close(parent.Fd);
        parent.Fd = -1;
        heldOpen_.fetch_sub(1, std::memory_order_relaxed);
    }
}

std::string TWalk::PathFromRoot(TNodeIndex index) {
    std::vector<const char*> names;
    for (; index != RootIndex; index = tree_.Node(index).Parent) {
        names.push_back(tree_.Node(index).Name);
    }
    std::string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        path += *name;
        path += '/';
    }
    path.pop_back();
    return path;
}

// Keeps a folder's descriptor for opening its sub-folders, within the budget;
// past it, the sub-folders are opened along their paths instead.
void TWalk::HoldOpen(TFolderFamily& family, TFileDescriptor& fd) {
    if (heldOpen_.fetch_add(1, std::memory_order_relaxed) < budget_) {
        family.Fd = fd.Release();
    } else {
        heldOpen_.fetch_sub(1, std::memory_order_relaxed);
    }
}

void TWalk::CountScanned() {
    const std::uint64_t scanned = scanned_.fetch_add(1, std::memory_order_relaxed) + 1;
    if (options_.Progress && scanned % ProgressInterval == 0) {
        const std::unique_lock lock(progress_, std::try_to_lock);
        if (lock) {
            // Read again under the lock, so the counts heard never go down.
            options_.Progress(scanned_.load(std::memory_order_relaxed));
        }
    }
}

// Children come after their parents, so one backward pass settles every folder
// before its parent looks at it.
void TWalk::DecideEmptiness() noexcept {
    for (std::size_t index = tree_.Size() - 1; index > RootIndex; --index) {
        const TFolderNode& node = tree_.Node(static_cast<TNodeIndex>(index));
        const std::uint8_t flags = tree_.Flags(node);
        std::uint8_t& parentFlags = tree_.Family(tree_.Node(node.Parent)).Flags;
        parentFlags |=
            (flags & TFolderNode::NotEmpty) ? TFolderNode::NotEmpty : TFolderNode::HoldsEmpty;
        parentFlags |= flags & TFolderNode::HoldsEmpty;
    }
}

// The ordered pass: depth first, sub-folders in listing order, each folder
// reported after everything below it. Branches with nothing empty are skipped.
void TWalk::ReportEmpty(std::string rootPath, const TEmptyFolderSink& sink) {
    DecideEmptiness();
    struct TFrame {
        TNodeIndex Index;
        std::uint32_t NextChild;
        std::size_t PathLength;
    };
    std::string path = std::move(rootPath);
    std::vector<TFrame> frames{{RootIndex, 0, path.size()}};
    while (!frames.empty()) {
        TFrame& frame = frames.back();
        const TFolderNode& node = tree_.Node(frame.Index);
        if (TFolderTree::HasFamily(node) && frame.NextChild < tree_.Family(node).ChildCount) {
            const TNodeIndex childIndex = tree_.Family(node).FirstChild + frame.NextChild++;
            const TFolderNode& child = tree_.Node(childIndex);
            if (tree_.Flags(child) == TFolderNode::NotEmpty) {
                continue;
            }
            const std::size_t length = path.size();
            if (path.back() != '/') {
                path += '/';
            }
            path += child.Name;
            frames.push_back({childIndex, 0, length});
            continue;
        }
        if (!(tree_.Flags(node) & TFolderNode::NotEmpty)) {
            sink({path, node.Identity});
        }
        path.resize(frame.PathLength);
        frames.pop_back();
    }
}

void TWalk::CloseHeldFolders() noexcept {
    for (std::size_t index = 0; index < tree_.Size(); ++index) {
        const TFolderNode& node = tree_.Node(static_cast<TNodeIndex>(index));
        if (TFolderTree::HasFamily(node) && tree_.Family(node).Fd >= 0) {
            ::close(tree_.Family(node).Fd);
            tree_.Family(node).Fd = -1;
        }
    }
}
} // namespace

TFolderWalker::TFolderWalker(TScanOptions options)
    : options_(std::move(options)) {}

void TFolderWalker::Walk(std::string_view folder, const TEmptyFolderSink& sink) {
    std::string stored = StoredFolderPath(folder);
    TFileDescriptor root = OpenFolderAt(AT_FDCWD, stored, TLinkPolicy::Follow);
    if (!root) {
        return;
    }
    TWalk walk(options_, std::move(root), ThreadCount(options_.Threads));
    walk.ReadAll();
    walk.ReportEmpty(std::move(stored), sink);
}

std::string StoredFolderPath(std::string_view folder) {
    const std::size_t end = folder.find_last_not_of('/');
    if (end == std::string_view::npos) {
        return folder.empty() ? std::string() : std::string("/");
    }
    return std::string(folder.substr(0, end + 1));
}

} // namespace hollowsweep
