#pragma once

#include "core/platform/FolderIdentity.h"
#include "core/platform/NativeHandle.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <type_traits>
#include <vector>

namespace hollowsweep {

using NodeIndex = std::uint32_t;

// An array that threads extend concurrently. Items never move. Chunks double in
// size and are not touched before use, so a small walk costs little memory.
template <class T> class ChunkedStore {
    static_assert(std::is_trivially_default_constructible_v<T>,
                  "a chunk must cost nothing until its items are used");

public:
    // Reserves count consecutive indices and returns the first. The size
    // grows only once their memory is there: when it cannot be had, nothing
    // is reserved, and every index below Size() stays usable.
    std::uint32_t Allocate(std::uint32_t count) {
        std::size_t first = size_.load(std::memory_order_acquire);
        do {
            if (first + count > ChunkStart(ChunkCount) || first + count > UINT32_MAX) {
                throw std::bad_alloc();
            }
            if (count > 0) {
                EnsureChunks(first + count - 1);
            }
        } while (!size_.compare_exchange_weak(first, first + count, std::memory_order_acq_rel));
        return static_cast<std::uint32_t>(first);
    }

    T& operator[](std::uint32_t index) noexcept {
        const std::size_t chunk = ChunkOf(index);
        return chunks_[chunk].load(std::memory_order_acquire)[index - ChunkStart(chunk)];
    }

    std::size_t Size() const noexcept { return size_.load(std::memory_order_acquire); }

private:
    static constexpr std::size_t FirstChunkSize = 1024;
    static constexpr std::size_t ChunkCount = 23;

    static std::size_t ChunkOf(std::size_t index) noexcept {
        return static_cast<std::size_t>(std::bit_width(index / FirstChunkSize + 1)) - 1;
    }
    static std::size_t ChunkStart(std::size_t chunk) noexcept {
        return FirstChunkSize * ((std::size_t{1} << chunk) - 1);
    }

    void EnsureChunks(std::size_t lastIndex) {
        const std::size_t lastChunk = ChunkOf(lastIndex);
        if (chunks_[lastChunk].load(std::memory_order_acquire) != nullptr) {
            return;
        }
        const std::lock_guard lock(growth_);
        for (std::size_t chunk = 0; chunk <= lastChunk; ++chunk) {
            if (!owners_[chunk]) {
                owners_[chunk] = std::make_unique_for_overwrite<T[]>(FirstChunkSize << chunk);
                chunks_[chunk].store(owners_[chunk].get(), std::memory_order_release);
            }
        }
    }

    std::atomic<std::size_t> size_{0};
    std::array<std::atomic<T*>, ChunkCount> chunks_{};
    std::array<std::unique_ptr<T[]>, ChunkCount> owners_;
    std::mutex growth_;
};

// What the walk keeps of a folder that has sub-folders. They are stored
// together, in the order the file system listed them.
struct FolderFamily {
    NodeIndex FirstChild;
    std::uint32_t ChildCount;
    // Held open while sub-folders wait to be opened relative to it.
    NativeHandle Handle;
    // Counted down through std::atomic_ref by the threads opening the sub-folders.
    std::uint32_t UnopenedChildren;
    std::uint8_t Flags;
};

// One folder met by the walk: thirty-two bytes, since a walk may meet
// millions. Most folders have no sub-folder and need no family.
struct FolderNode {
    enum : std::uint8_t {
        // It holds something that is not a folder, could not be listed, or
        // holds a folder that is not empty.
        NotEmpty = 1,
        // Some folder below it is empty.
        HoldsEmpty = 2,
        // Set by the ordered pass: it holds a folder that is kept for
        // another program, so it is not empty either.
        HoldsKept = 4,
    };
    // Family values of a folder without sub-folders.
    static constexpr std::uint32_t EmptyLeaf = 0;
    static constexpr std::uint32_t FullLeaf = UINT32_MAX;

    const char* Name;
    NodeIndex Parent;
    std::uint32_t Family;
    // Taken only for folders that hold nothing but folders: those alone may
    // turn out empty and be removed later.
    FolderIdentity Identity;
};

// The folders of one walk. A child's index is always greater than its parent's.
class FolderTree {
public:
    FolderTree() { families_.Allocate(1); } // family 0 stands for "none"

    NodeIndex AddNodes(std::uint32_t count) { return nodes_.Allocate(count); }
    FolderNode& Node(NodeIndex index) noexcept { return nodes_[index]; }
    std::size_t Size() const noexcept { return nodes_.Size(); }

    // Gives a node with sub-folders its family record.
    FolderFamily& AddFamily(FolderNode& node) {
        node.Family = families_.Allocate(1);
        return families_[node.Family];
    }
    static bool HasFamily(const FolderNode& node) noexcept {
        return node.Family != FolderNode::EmptyLeaf && node.Family != FolderNode::FullLeaf;
    }
    FolderFamily& Family(const FolderNode& node) noexcept { return families_[node.Family]; }

    std::uint8_t Flags(const FolderNode& node) noexcept {
        if (HasFamily(node)) {
            return Family(node).Flags;
        }
        return node.Family == FolderNode::FullLeaf ? FolderNode::NotEmpty : 0;
    }

private:
    ChunkedStore<FolderNode> nodes_;
    ChunkedStore<FolderFamily> families_;
};

} // namespace hollowsweep
