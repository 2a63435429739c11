#include "scan/FolderTree.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <type_traits>

namespace hollowsweep {

std::size_t TFolderTree::ChunkOf(std::size_t index) noexcept {
    return static_cast<std::size_t>(std::bit_width(index / FirstChunkSize + 1)) - 1;
}

std::size_t TFolderTree::ChunkStart(std::size_t chunk) noexcept {
    return FirstChunkSize * ((std::size_t{1} << chunk) - 1);
}

TNodeIndex TFolderTree::Allocate(std::uint32_t count) {
    const std::size_t first = size_.fetch_add(count, std::memory_order_acq_rel);
    if (first + count > ChunkStart(ChunkCount) || first + count > UINT32_MAX) {
        throw std::bad_alloc();
    }
    if (count > 0) {
        EnsureChunks(first + count - 1);
    }
    return static_cast<TNodeIndex>(first);
}

void TFolderTree::EnsureChunks(std::size_t lastIndex) {
    const std::size_t lastChunk = ChunkOf(lastIndex);
    if (chunks_[lastChunk].load(std::memory_order_acquire) != nullptr) {
        return;
    }
    const std::lock_guard lock(growth_);
    for (std::size_t chunk = 0; chunk <= lastChunk; ++chunk) {
        if (chunks_[chunk].load(std::memory_order_relaxed) == nullptr) {
            owners_[chunk] = std::make_unique_for_overwrite<TFolderNode[]>(FirstChunkSize << chunk);
            chunks_[chunk].store(owners_[chunk].get(), std::memory_order_release);
        }
    }
}

TFolderNode& TFolderTree::Node(TNodeIndex index) noexcept {
    const std::size_t chunk = ChunkOf(index);
    return chunks_[chunk].load(std::memory_order_acquire)[index - ChunkStart(chunk)];
}

const char* TNameArena::Store(std::string_view name) {
    const std::size_t needed = name.size() + 1;
    if (used_ + needed > BlockSize) {
        blocks_.push_back(std::make_unique<char[]>(std::max(BlockSize, needed)));
        used_ = 0;
    }
    char* stored = blocks_.back().get() + used_;
    std::memcpy(stored, name.data(), name.size());
    stored[name.size()] = '\0';
    used_ += needed;
    return stored;
}

} // namespace hollowsweep

static_assert(std::is_trivially_default_constructible_v<hollowsweep::TFolderNode>,
              "a chunk of nodes must cost nothing until it is used");
