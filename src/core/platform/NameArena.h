#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace hollowsweep {

// Keeps folder names, NUL-terminated for the system's calls, for as long as
// the arena lives. Millions of short names cost one allocation per block.
// One arena serves one thread.
class NameArena {
public:
    const char* Store(std::string_view name);

private:
    static constexpr std::size_t BlockSize = std::size_t{64} * 1024;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = BlockSize;
};

} // namespace hollowsweep
