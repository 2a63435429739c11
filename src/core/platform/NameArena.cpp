#include "core/platform/NameArena.h"

#include <algorithm>
#include <cstring>

namespace hollowsweep {

const char* NameArena::Store(std::string_view name) {
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
