#include "ReferenceWalk.h"
#include "TestDir.h"
#include "core/scan/EmptyFolderScan.h"

#include <gtest/gtest.h>
#include <random>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

namespace {

// A random tree: folders up to a few levels deep, some holding files, some
// holding links, so that every kind of emptiness turns up.
void BuildRandomTree(const TestDir& dir, std::mt19937& random) {
    std::vector<std::string> folders = {""};
    const int count = 20 + static_cast<int>(random() % 150);
    for (int i = 0; i < count; ++i) {
        const std::string parent = folders[random() % folders.size()];
        const std::string folder = (parent.empty() ? "" : parent + "/") + "d" + std::to_string(i);
        dir.MakeFolders(folder);
        folders.push_back(folder);
    }
    for (const auto& folder : folders) {
        const auto roll = random() % 12;
        const std::string prefix = folder.empty() ? "" : folder + "/";
        if (roll == 0) {
            dir.MakeFile(prefix + "file");
        } else if (roll == 1) {
            dir.MakeLink(prefix + "link", "/");
        }
    }
}

std::vector<std::string> Walked(const std::string& folder, const ScanOptions& options) {
    std::vector<std::string> paths;
    ForEachEmptyFolder(std::vector<std::string>{folder}, options,
                       [&paths](const EmptyFolder& found) { paths.emplace_back(found.Path); });
    return paths;
}

} // namespace

// Whatever the number of threads and however few folders may be held open,
// the walk reports exactly what the one-thread recursive walk finds, in its order.
TEST(ScanOrder, MatchesTheOneThreadWalkOnRandomTrees) {
    std::mt19937 random(20261210);
    const struct {
        unsigned threads;
        std::size_t budget;
    } settings[] = {{1, 0}, {2, 0}, {4, 0}, {2, 1}, {3, 2}};
    for (int round = 0; round < 25; ++round) {
        TestDir dir;
        BuildRandomTree(dir, random);
        const auto expected = test::ReferenceEmptyFolders(dir.Root());
        for (const auto& setting : settings) {
            SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(setting.threads) +
                         " threads, budget " + std::to_string(setting.budget));
            ScanOptions options;
            options.Threads = setting.threads;
            options.OpenFolderBudget = setting.budget;
            ASSERT_EQ(Walked(dir.Root(), options), expected);
        }
    }
}

TEST(ScanOrder, DeepChainWithFewHeldFoldersStillWalksWhole) {
    TestDir dir;
    std::string chain;
    for (int level = 0; level < 300; ++level) {
        if (level > 0) {
            chain += '/';
        }
        chain += "level";
        chain += std::to_string(level);
    }
    dir.MakeFolders(chain);
    dir.MakeFile(chain.substr(0, chain.find("/level10/")) + "/file");
    ScanOptions options;
    options.OpenFolderBudget = 3;
    const auto walked = Walked(dir.Root(), options);
    EXPECT_EQ(walked, test::ReferenceEmptyFolders(dir.Root()));
    EXPECT_EQ(walked.size(), 290U);
}
