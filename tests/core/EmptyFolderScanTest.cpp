#include "core/scan/EmptyFolderScan.h"

#include "ReferenceWalk.h"
#include "TestDir.h"
#include "Unprivileged.h"
#include "core/results/LoadEmptyFolders.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

namespace {

// The listed paths relative to the test folder, the starting folder as ".",
// with "-" marking an unchecked entry.
std::vector<std::string> Listed(const ResultList& list, const TestDir& dir) {
    std::vector<std::string> paths;
    for (const auto& entry : list) {
        const std::string path(entry.Record.Path());
        std::string relative = path == dir.Root() ? "." : path.substr(dir.Root().size() + 1);
        paths.push_back(entry.Checked() ? relative : "-" + relative);
    }
    return paths;
}

std::vector<std::string> Scan(const TestDir& dir, std::string_view folder = {}) {
    ResultList list;
    EXPECT_TRUE(LoadEmptyFolders(list, dir.Path(folder)));
    return Listed(list, dir);
}

using Paths = std::vector<std::string>;

} // namespace

TEST(EmptyFolderScan, ChainOfEmptyFoldersIsListedDeepestFirstAllChecked) {
    TestDir dir;
    dir.MakeFolders("A/B/C");
    ResultList list;
    ASSERT_TRUE(LoadEmptyFolders(list, dir.Root()));
    EXPECT_EQ(Listed(list, dir), (Paths{"A/B/C", "A/B", "A", "."}));
    const std::string rootName = dir.Root().substr(dir.Root().rfind('/') + 1);
    const char* names[] = {"C", "B", "A", rootName.c_str()};
    for (std::size_t i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.At(i).Record.Field(FileName), names[i]);
        EXPECT_TRUE(list.At(i).Record.Field(FileType).empty());
        // A removal later checks that the path still leads to this folder.
        struct stat status {};
        ASSERT_EQ(::lstat(std::string(list.At(i).Record.Path()).c_str(), &status), 0);
        EXPECT_EQ(list.At(i).Identity, FolderIdentity::Of(status));
    }
    EXPECT_EQ(list.ScannedFolders(), std::vector<std::string>{dir.Root()});
}

TEST(EmptyFolderScan, WhatCountsAsContent) {
    const struct {
        const char* name;
        std::function<void(const TestDir&)> build;
        Paths expected;
    } cases[] = {
        {"hidden file, empty sub-folder inside",
         [](const TestDir& d) {
             d.MakeFile("f/.hidden");
             d.MakeFolders("f/sub");
         },
         {"f/sub"}},
        {"zero-length file", [](const TestDir& d) { d.MakeFile("f/empty.txt"); }, {}},
        {"file beside an empty sub-folder",
         [](const TestDir& d) {
             d.MakeFile("f/data", "x");
             d.MakeFolders("f/sub");
         },
         {"f/sub"}},
        {"hidden empty sub-folder",
         [](const TestDir& d) { d.MakeFolders(".cache/.thumbnails"); },
         {".cache/.thumbnails", ".cache", "."}},
        {"link to a folder inside the tree",
         [](const TestDir& d) {
             d.MakeFolders("target");
             d.MakeLink("holder/link", "../target");
         },
         {"target"}},
        {"link to a folder outside the tree",
         [](const TestDir& d) { d.MakeLink("holder/link", "/usr"); },
         {}},
        {"dangling link", [](const TestDir& d) { d.MakeLink("holder/link", "nowhere"); }, {}},
        {"named pipe",
         [](const TestDir& d) {
             d.MakeFolders("holder");
             ::mkfifo(d.Path("holder/pipe").c_str(), 0600);
         },
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDir dir;
        c.build(dir);
        EXPECT_EQ(Scan(dir), c.expected);
    }
}

TEST(EmptyFolderScan, NamesAreKeptByteForByte) {
    TestDir dir;
    dir.MakeFolders("with space");
    dir.MakeFolders("line\nfeed");
    dir.MakeFolders("bad\xff\xfe bytes");
    dir.MakeFile("file");
    auto listed = Scan(dir);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Paths{"bad\xff\xfe bytes", "line\nfeed", "with space"}));
}

TEST(EmptyFolderScan, FolderHoldingOnlyFilesLeavesTheListCleared) {
    TestDir dir;
    dir.MakeFile("a/b/file");
    ResultList list;
    list.Append(ResultRecord::ForFolder("/stale"));
    ASSERT_TRUE(LoadEmptyFolders(list, dir.Root()));
    EXPECT_TRUE(list.Empty());
}

TEST(EmptyFolderScan, TrailingSeparatorAndRepeatedScansGiveTheSameList) {
    TestDir dir;
    dir.MakeFolders("x/y");
    dir.MakeFile("file");
    ResultList once;
    ResultList withSeparators;
    ASSERT_TRUE(LoadEmptyFolders(once, dir.Root()));
    ASSERT_TRUE(LoadEmptyFolders(withSeparators, dir.Root() + "//"));
    ASSERT_TRUE(LoadEmptyFolders(withSeparators, dir.Root() + "/"));
    EXPECT_EQ(Listed(once, dir), (Paths{"x/y", "x"}));
    EXPECT_EQ(Listed(withSeparators, dir), Listed(once, dir));
}

TEST(EmptyFolderScan, OverlappingFoldersListEachEmptyFolderOnceInArgumentOrder) {
    TestDir dir;
    dir.MakeFolders("outer/inner/deep");
    dir.MakeFolders("outer/other");
    dir.MakeFile("outer/file");
    const auto scanAll = [&](std::initializer_list<std::string> folders) {
        ResultList list;
        EXPECT_TRUE(LoadEmptyFolders(list, std::vector<std::string>(folders)));
        return Listed(list, dir);
    };
    const std::string outer = dir.Path("outer");
    const std::string inner = dir.Path("outer/inner");
    EXPECT_EQ(scanAll({outer, outer + "/"}),
              (Paths{"outer/inner/deep", "outer/inner", "outer/other"}));
    EXPECT_EQ(scanAll({outer, inner}), (Paths{"outer/inner/deep", "outer/inner", "outer/other"}));
    EXPECT_EQ(scanAll({inner, outer}), (Paths{"outer/inner/deep", "outer/inner", "outer/other"}));
    // Paths are spelled as built from the folder given.
    EXPECT_EQ(scanAll({inner, dir.Path("outer/../outer")}),
              (Paths{"outer/inner/deep", "outer/inner", "outer/../outer/other"}));
}

TEST(EmptyFolderScan, MissingStartingFolderListsNothingAndSaysSo) {
    TestDir dir;
    ResultList list;
    EXPECT_TRUE(LoadEmptyFolders(list, dir.Path("missing")));
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.UnreadableFolders(),
              (std::vector<UnreadableFolder>{{dir.Path("missing"), ENOENT}}));
}

TEST(EmptyFolderScan, ChainLongerThanThePathLimitIsListedWhole) {
    TestDir dir;
    const std::string name(100, 'n');
    constexpr int Depth = 60; // about 6,000 bytes of path
    dir.MakeChain(name, Depth);
    ResultList list;
    ASSERT_TRUE(LoadEmptyFolders(list, dir.Root()));
    ASSERT_EQ(list.Count(), static_cast<std::size_t>(Depth + 1));
    EXPECT_GT(list.At(0).Record.Path().size(), 4096U);
    EXPECT_EQ(list.At(0).Record.Field(FileName), name);
    EXPECT_EQ(list.At(Depth).Record.Path(), dir.Root());
}

TEST(EmptyFolderScan, FolderThatCannotBeListedCountsAsContentAndIsHandedOver) {
    TestDir dir;
    dir.MakeFolders("open/empty");
    dir.MakeFolders("locked/inner");
    dir.MakeFolders("outer/locked/inner");
    dir.MakeFolders("outer/sibling");
    test::GiveToUnprivileged(dir.Root());
    ::chmod(dir.Path("locked").c_str(), 0);
    ::chmod(dir.Path("outer/locked").c_str(), 0);
    const std::string listed = test::RunUnprivileged([&] {
        ResultList list;
        LoadEmptyFolders(list, dir.Root());
        std::string paths;
        auto listedPaths = Listed(list, dir);
        std::sort(listedPaths.begin(), listedPaths.end());
        for (const auto& path : listedPaths) {
            paths += path + ";";
        }
        for (const auto& folder : list.UnreadableFolders()) {
            paths += " " + folder.Path.substr(dir.Root().size() + 1) + ":" +
                     std::to_string(folder.Error);
        }
        return paths;
    });
    // In the order the walk met them: a folder before the folders inside it.
    EXPECT_EQ(listed, "open;open/empty;outer/sibling; locked:13 outer/locked:13");
}

TEST(EmptyFolderScan, ProgressCountsEveryFolder) {
    TestDir dir;
    for (int i = 0; i < 3000; ++i) {
        dir.MakeFolders("wide/" + std::to_string(i));
    }
    std::vector<std::uint64_t> counts;
    ScanOptions options;
    options.Progress = [&counts](std::uint64_t scanned) {
        counts.push_back(scanned);
    };
    ResultList list;
    ASSERT_TRUE(LoadEmptyFolders(list, dir.Root(), options));
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), 3002U);
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
}

TEST(EmptyFolderScan, AnErrorEndsTheScanAndIsHandedOver) {
    TestDir dir;
    dir.MakeFolders("a");
    ResultList list;
    list.Append(ResultRecord::ForFolder("/earlier/scan"));
    ScanOptions options;
    options.Progress = [](std::uint64_t) {
        throw std::runtime_error("out of memory");
    };
    const ScanOutcome outcome = LoadEmptyFolders(list, dir.Root(), options);
    ASSERT_FALSE(outcome);
    EXPECT_THROW(
        {
            try {
                std::rethrow_exception(outcome.Error);
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "out of memory");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_TRUE(list.Empty());
}

// A cancelled scan reports nothing at all: a part of a tree is no answer.
TEST(EmptyFolderScan, ACancelledScanReportsNothing) {
    TestDir dir;
    for (int i = 0; i < 3000; ++i) {
        dir.MakeFolders("wide/" + std::to_string(i));
    }
    std::atomic<bool> cancel{false};
    ScanOptions options;
    options.Cancel = &cancel;
    // Cancelled from within, once the walk is under way.
    options.Progress = [&cancel](std::uint64_t) {
        cancel = true;
    };
    std::size_t reported = 0;
    const std::vector<std::string> folders = {dir.Root(), dir.Path("wide/1")};
    EXPECT_FALSE(ForEachEmptyFolder(folders, options, [&](const EmptyFolder&) { ++reported; }));
    EXPECT_EQ(reported, 0U);

    ResultList list;
    const ScanOutcome outcome = LoadEmptyFolders(list, dir.Root(), options);
    EXPECT_TRUE(outcome.Cancelled);
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(list.Empty());
}
