// The tool under the limits a system or a user may set: little address space,
// few descriptors. It does its work with fewer threads, or says in one line
// why it cannot; it never crashes.

#include "CliRun.h"
#include "TestDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace hollowsweep::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* Prlimit = "/usr/bin/prlimit";

void MakeTree(const TestDir& dir, const std::string& folder, int width, int depth) {
    for (int i = 0; i < width; ++i) {
        std::string path = folder + "/" + std::to_string(i);
        for (int level = 1; level < depth; ++level) {
            path += "/l" + std::to_string(level);
        }
        fs::create_directories(dir.Path(path));
    }
}

ProgramResult Limited(const std::string& limit, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {limit, HOLLOWSWEEP_CLI});
    return RunProgram(Prlimit, arguments);
}

} // namespace

TEST(Limits, LittleAddressSpaceMeansFewerThreadsOrAOneLineMessage) {
    if (UnderSanitizers) {
        GTEST_SKIP() << "the sanitizers need the address space themselves";
    }
    TestDir dir;
    MakeTree(dir, "small", 20, 3);
    // Too little for 32 threads' stacks and arenas, plenty for the work.
    const auto fewer = Limited("--as=1000000000", {"scan", "-q", dir.Path("small")});
    EXPECT_EQ(fewer.Status, 0) << fewer.Err;
    EXPECT_EQ(SplitLines(fewer.Out).size(), 61U);

    MakeTree(dir, "wide", 30000, 1);
    for (const char* limit :
         {"--as=16000000", "--as=20000000", "--as=24000000", "--as=32000000", "--as=48000000"}) {
        SCOPED_TRACE(limit);
        const auto result = Limited(limit, {"scan", "-q", "-j", "1", dir.Path("wide")});
        if (result.Status == 0) {
            EXPECT_EQ(SplitLines(result.Out).size(), 30001U);
        } else {
            EXPECT_EQ(result.Status, 2);
            EXPECT_EQ(result.Err, "hollowsweep-cli: out of memory\n");
        }
    }
}

// Seven descriptors are the three standard ones and four to work with.
TEST(Limits, DeleteWorksUnderADescriptorLimitOfSeven) {
    if (UnderSanitizers) {
        GTEST_SKIP() << "the sanitizers need descriptors themselves";
    }
    for (const std::vector<std::string>& threads :
         {std::vector<std::string>{}, std::vector<std::string>{"-j", "1"},
          std::vector<std::string>{"-j", "32"}}) {
        TestDir dir;
        MakeTree(dir, "tree", 40, 6);
        std::vector<std::string> arguments = {"delete", "-q"};
        arguments.insert(arguments.end(), threads.begin(), threads.end());
        arguments.push_back(dir.Path("tree"));
        const auto result = Limited("--nofile=7:7", arguments);
        EXPECT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(SplitLines(result.Out).size(), 40U * 6 + 1);
        EXPECT_FALSE(dir.Exists("tree"));
    }
}
