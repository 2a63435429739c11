#include "core/scan/FolderTree.h"

#include "Unprivileged.h"

#include <gtest/gtest.h>
#include <new>
#include <string>
#include <sys/resource.h>

using namespace hollowsweep;

// A walk that runs out of memory ends with an error, and then closes what it
// holds by going over every node it counted: each must be there.
TEST(FolderTree, AnAllocationThatFailsReservesNothing) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers need the address space themselves";
#endif
    const auto littleMemory = [] {
        const rlimit limit{std::size_t{160} << 20, std::size_t{160} << 20};
        return ::setrlimit(RLIMIT_AS, &limit) == 0;
    };
    const std::string counted = test::RunInChild(littleMemory, [] {
        ChunkedStore<FolderNode> nodes;
        bool failed = false;
        try {
            for (;;) {
                nodes.Allocate(std::uint32_t{1} << 16);
            }
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        for (std::size_t index = 0; index < nodes.Size(); index += 1024) {
            nodes[static_cast<NodeIndex>(index)].Parent = 1;
        }
        nodes[static_cast<NodeIndex>(nodes.Size() - 1)].Parent = 1;
        return failed ? std::to_string(nodes.Size()) : std::string();
    });
    EXPECT_FALSE(counted.empty());
}
