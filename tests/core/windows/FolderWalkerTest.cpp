#include "core/scan/FolderWalker.h"

#include "TempTree.h"
#include "core/platform/FolderHandle.h"
#include "core/platform/FolderPaths.h"
#include "core/scan/EmptyFolderScan.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace hollowsweep;
using hollowsweep::test::TempTree;

namespace {

struct ScanResult {
    std::vector<std::string> Empty;
    std::vector<FolderIdentity> Identities;
    std::vector<std::pair<std::string, int>> Unreadable;
    bool Whole = false;
};

ScanResult Scan(const std::string& folder, ScanOptions options = {}) {
    ScanResult result;
    FolderWalker walker(std::move(options));
    result.Whole = walker.Walk(
        folder,
        [&](const EmptyFolder& found) {
            result.Empty.emplace_back(found.Path);
            result.Identities.push_back(found.Identity);
        },
        [&](std::string_view path, int error) { result.Unreadable.emplace_back(path, error); });
    return result;
}

// Siblings come in the order the file system lists them, which under Wine is
// the Linux file system's.
std::vector<std::string> Sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

ScanOptions WithThreads(unsigned threads, std::size_t budget = 0) {
    ScanOptions options;
    options.Threads = threads;
    options.OpenFolderBudget = budget;
    return options;
}

// Sub-folders before their folder, paths written with the system's separator,
// and each folder's identity the one its handle gives: what a removal checks.
TEST(WindowsScan, ChainOfEmptyFoldersIsReportedDeepestFirstWithIdentities) {
    const TempTree tree;
    tree.MakeFolder(L"a\\b\\c");
    const ScanResult result = Scan(tree.Path());
    const std::vector<std::string> expected{tree.Path(L"a\\b\\c"), tree.Path(L"a\\b"),
                                            tree.Path(L"a"), tree.Path()};
    EXPECT_TRUE(result.Whole);
    EXPECT_EQ(result.Empty, expected);
    ASSERT_EQ(result.Identities.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FileHandle folder = OpenFolder(expected[i]);
        ASSERT_TRUE(folder);
        EXPECT_TRUE(result.Identities[i].Known());
        EXPECT_EQ(result.Identities[i], IdentityOf(folder)) << expected[i];
    }
}

// A file at any depth keeps every folder above it; an empty sibling is
// still empty; the same with one thread or many, with folders held open or
// each reached along its path from the starting folder.
TEST(WindowsScan, AFileKeepsEveryFolderAboveIt) {
    const TempTree tree;
    tree.MakeFile(L"full\\deep\\er\\file.txt");
    tree.MakeFolder(L"full\\deep\\empty");
    tree.MakeFolder(L"full\\hollow\\x");
    tree.MakeFile(L"top.txt");
    const std::vector<std::string> expected =
        Sorted({tree.Path(L"full\\deep\\empty"), tree.Path(L"full\\hollow\\x"),
                tree.Path(L"full\\hollow")});
    for (const auto& options : {WithThreads(1), WithThreads(8), WithThreads(4, 1)}) {
        const ScanResult result = Scan(tree.Path(), options);
        EXPECT_EQ(Sorted(result.Empty), expected)
            << options.Threads << " threads, budget " << options.OpenFolderBudget;
        EXPECT_TRUE(result.Unreadable.empty());
    }
}

// Names beyond ASCII and beyond the basic plane come back as they were made.
TEST(WindowsScan, NamesComeBackExactly) {
    const TempTree tree;
    tree.MakeFolder(L"\U0001F600 Gr\u00FC\u00DF\\\u65E5\u672C");
    const ScanResult result = Scan(tree.Path());
    ASSERT_EQ(result.Empty.size(), 3U);
    EXPECT_EQ(result.Empty[0], tree.Path(L"\U0001F600 Gr\u00FC\u00DF\\\u65E5\u672C"));
    EXPECT_EQ(result.Empty[1], tree.Path(L"\U0001F600 Gr\u00FC\u00DF"));
}

// A trailing separator names the same folder, and a path written with "/"
// is reported as Windows writes it.
TEST(WindowsScan, SeparatorsAsGivenGiveTheSameList) {
    const TempTree tree;
    tree.MakeFolder(L"a");
    std::string forward = tree.Path();
    std::replace(forward.begin(), forward.end(), '\\', '/');
    const std::vector<std::string> expected{tree.Path(L"a"), tree.Path()};
    EXPECT_EQ(Scan(tree.Path()).Empty, expected);
    EXPECT_EQ(Scan(tree.Path() + "\\\\").Empty, expected);
    EXPECT_EQ(Scan(tree.Path() + "/").Empty, expected);
    EXPECT_EQ(Scan(forward + "/").Empty, expected);
}

TEST(WindowsScan, MissingStartingFolderReportsNothingAndSaysWhy) {
    const TempTree tree;
    const ScanResult result = Scan(tree.Path(L"missing"));
    EXPECT_TRUE(result.Empty.empty());
    ASSERT_EQ(result.Unreadable.size(), 1U);
    EXPECT_EQ(result.Unreadable[0], (std::pair<std::string, int>{tree.Path(L"missing"), ENOENT}));
}

TEST(WindowsScan, AFileGivenAsStartingFolderIsNoFolder) {
    const TempTree tree;
    tree.MakeFile(L"file.txt");
    const ScanResult result = Scan(tree.Path(L"file.txt"));
    EXPECT_TRUE(result.Empty.empty());
    ASSERT_EQ(result.Unreadable.size(), 1U);
    EXPECT_EQ(result.Unreadable[0].second, ENOTDIR);
}

// Junk names and excluded folder names match without regard to case, as
// Windows names do; a pattern with a separator matches whole paths, written
// with either separator.
TEST(WindowsScan, RulesMatchNamesAsWindowsDoes) {
    const TempTree tree;
    tree.MakeFile(L"junk\\thumbs.DB");
    tree.MakeFolder(L"Node_Modules\\x");
    tree.MakeFolder(L"keep\\this");
    tree.MakeFolder(L"plain");
    ScanOptions options;
    options.Rules.JunkFiles = {"Thumbs.db"};
    options.Rules.ExcludedFolders = {"node_*", tree.Path() + "/KEEP"};
    const ScanResult result = Scan(tree.Path(), options);
    EXPECT_EQ(Sorted(result.Empty), Sorted({tree.Path(L"junk"), tree.Path(L"plain")}));
}

TEST(WindowsScan, ProgressCountsEveryFolderAndCancelReportsNothing) {
    const TempTree tree;
    tree.MakeFolder(L"a\\b");
    tree.MakeFolder(L"c");
    std::uint64_t last = 0;
    ScanOptions counting;
    counting.Progress = [&](std::uint64_t scanned) {
        last = scanned;
    };
    EXPECT_TRUE(Scan(tree.Path(), counting).Whole);
    EXPECT_EQ(last, 4U);

    const std::atomic<bool> cancel{true};
    ScanOptions cancelled;
    cancelled.Cancel = &cancel;
    const ScanResult result = Scan(tree.Path(), cancelled);
    EXPECT_FALSE(result.Whole);
    EXPECT_TRUE(result.Empty.empty());
}

// Folders given twice or one inside another: each empty folder once.
TEST(WindowsScan, OverlappingFoldersReportEachEmptyFolderOnce) {
    const TempTree tree;
    tree.MakeFolder(L"a\\b");
    const std::vector<std::string> folders{tree.Path(L"a"), tree.Path(), tree.Path(L"a\\")};
    std::vector<std::string> found;
    EXPECT_TRUE(ForEachEmptyFolder(
        folders, {}, [&](const EmptyFolder& folder) { found.emplace_back(folder.Path); }));
    EXPECT_EQ(found, (std::vector<std::string>{tree.Path(L"a\\b"), tree.Path(L"a"), tree.Path()}));
}

} // namespace
