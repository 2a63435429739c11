#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace hollowsweep {

using TNodeIndex = std::uint32_t;

// One folder met by the walk. The sub-folders of a folder are stored together,
// in the order the file system listed them.
struct TFolderNode {
    enum : std::uint8_t {
        // It holds something that is not a folder, could not be listed, or
        // holds a folder that is not empty.
        NotEmpty = 1,
        // Some folder below it is empty.
        HoldsEmpty = 2,
    };

    // A new node, not yet read.
    void Reset(const char* name, TNodeIndex parent) noexcept {
        Name = name;
        Parent = parent;
        FirstChild = 0;
        ChildCount = 0;
        Flags = 0;
        Fd = -1;
        UnopenedChildren = 0;
    }

    // No member initialisers: a chunk of nodes is not touched before use, so a
    // chunk larger than the tree costs no memory.
    const char* Name;
    TNodeIndex Parent;
    TNodeIndex FirstChild;
    std::uint32_t ChildCount;
    std::uint8_t Flags;
    // Held open while sub-folders wait to be opened relative to it.
    int Fd;
    // Counted down through std::atomic_ref by the threads opening the sub-folders.
    std::uint32_t UnopenedChildren;
};

// The folders of one walk. Threads add nodes concurrently; a node never moves,
// and a child's index is always greater than its parent's.
class TFolderTree {
public:
    TFolderTree() = default;
    TFolderTree(const TFolderTree&) = delete;
    TFolderTree& operator=(const TFolderTree&) = delete;

    // Reserves count consecutive indices and returns the first.
    TNodeIndex Allocate(std::uint32_t count);
    TFolderNode& Node(TNodeIndex index) noexcept;
    std::size_t Size() const noexcept { return size_.load(std::memory_order_acquire); }

private:
    // Chunks double in size, so a small tree costs little and the table is short.
    static constexpr std::size_t FirstChunkSize = 1024;
    static constexpr std::size_t ChunkCount = 23;

    static std::size_t ChunkOf(std::size_t index) noexcept;
    static std::size_t ChunkStart(std::size_t chunk) noexcept;
    void EnsureChunks(std::size_t lastIndex);

    std::atomic<std::size_t> size_{0};
    std::array<std::atomic<TFolderNode*>, ChunkCount> chunks_{};
    std::array<std::unique_ptr<TFolderNode[]>, ChunkCount> owners_;
    std::mutex growth_;
};

// Keeps folder names for the life of a walk; one arena per thread.
class TNameArena {
public:
    const char* Store(std::string_view name);

private:
    static constexpr std::size_t BlockSize = 64 * 1024;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = BlockSize;
};

} // namespace hollowsweep
