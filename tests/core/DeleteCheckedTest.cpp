#include "results/DeleteChecked.h"

#include "TestDir.h"
#include "Unprivileged.h"
#include "scan/FileReader.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace hollowsweep;
using hollowsweep::test::TTestDir;
namespace fs = std::filesystem;

namespace {

TResultList Scanned(const TTestDir& dir) {
    TResultList list;
    EXPECT_TRUE(LoadEmptyFolders(list, dir.Root()));
    return list;
}

std::vector<std::string> Remaining(const TResultList& list, const TTestDir& dir) {
    std::vector<std::string> paths;
    for (const auto& entry : list) {
        const std::string relative(entry.Record.Path().substr(dir.Root().size() + 1));
        paths.push_back(entry.Checked ? relative : "-" + relative);
    }
    return paths;
}

std::size_t IndexOf(const TResultList& list, const std::string& path) {
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (list.At(i).Record.Path() == path) {
            return i;
        }
    }
    return list.Count();
}

using TPaths = std::vector<std::string>;

} // namespace

TEST(DeleteChecked, OneCallRemovesAWholeChainWhateverTheListOrder) {
    for (const auto direction : {TSortDirection::Ascending, TSortDirection::Descending}) {
        TTestDir dir;
        dir.MakeFolders("A/B/C");
        dir.MakeFile("keep.txt", "data");
        TResultList list = Scanned(dir);
        list.Sort([](const TResultEntry& a,
                     const TResultEntry& b) { return a.Record.Path().compare(b.Record.Path()); },
                  direction);
        std::vector<std::string> removed;
        const auto summary =
            DeleteCheckedFolders(list, [&](std::string_view path) { removed.emplace_back(path); });
        EXPECT_EQ(summary.Removed, 3U);
        EXPECT_TRUE(summary.Failures.empty());
        EXPECT_TRUE(list.Empty());
        EXPECT_EQ(removed, (TPaths{dir.Path("A/B/C"), dir.Path("A/B"), dir.Path("A")}));
        EXPECT_FALSE(dir.Exists("A"));
        EXPECT_TRUE(dir.Exists("keep.txt"));
    }
}

TEST(DeleteChecked, UncheckedSubFolderKeepsItsParentsListedAndChecked) {
    TTestDir dir;
    dir.MakeFolders("A/B/C");
    dir.MakeFile("keep.txt");
    TResultList list = Scanned(dir);
    list.SetChecked(IndexOf(list, dir.Path("A/B/C")), false);
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed, 0U);
    ASSERT_EQ(summary.Failures.size(), 2U);
    EXPECT_EQ(summary.Failures[0].Path, dir.Path("A/B"));
    EXPECT_EQ(summary.Failures[0].ErrorCode, ENOTEMPTY);
    EXPECT_EQ(Remaining(list, dir), (TPaths{"-A/B/C", "A/B", "A"}));
    EXPECT_TRUE(dir.Exists("A/B/C"));
}

TEST(DeleteChecked, FolderThatGotAFileAfterTheScanStays) {
    TTestDir dir;
    dir.MakeFolders("late/inner");
    dir.MakeFolders("other");
    dir.MakeFile("keep.txt");
    TResultList list = Scanned(dir);
    dir.MakeFile("late/new.txt", "written after the scan");
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed, 2U); // late/inner and other
    ASSERT_EQ(summary.Failures.size(), 1U);
    EXPECT_EQ(summary.Failures[0].ErrorCode, ENOTEMPTY);
    EXPECT_EQ(Remaining(list, dir), (TPaths{"late"}));
    EXPECT_TRUE(dir.Exists("late/new.txt"));
}

TEST(DeleteChecked, EntryOfAFolderRemovedElsewhereIsDropped) {
    TTestDir dir;
    dir.MakeFolders("gone");
    dir.MakeFolders("replaced");
    dir.MakeFile("keep.txt");
    TResultList list = Scanned(dir);
    ::rmdir(dir.Path("gone").c_str());
    ::rmdir(dir.Path("replaced").c_str());
    dir.MakeFile("replaced", "now a file");
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Gone, 2U);
    EXPECT_TRUE(list.Empty());
    EXPECT_TRUE(dir.Exists("replaced"));
}

TEST(DeleteChecked, NothingCheckedOrNothingListedChangesNothing) {
    TTestDir dir;
    dir.MakeFolders("a");
    dir.MakeFile("keep.txt");
    TResultList list = Scanned(dir);
    list.UncheckAll();
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed + summary.Gone + summary.Failures.size(), 0U);
    EXPECT_EQ(list.Count(), 1U);
    EXPECT_TRUE(dir.Exists("a"));

    TResultList empty;
    EXPECT_NO_THROW(DeleteCheckedFolders(empty));
}

TEST(DeleteChecked, FolderThatMayNotBeRemovedKeepsItsEntryWithTheReason) {
    TTestDir dir;
    dir.MakeFolders("sealed/inner");
    dir.MakeFolders("free");
    dir.MakeFile("sealed/../keep.txt");
    test::GiveToUnprivileged(dir.Root());
    const std::string outcome = test::RunUnprivileged([&] {
        TResultList list;
        LoadEmptyFolders(list, dir.Root());
        ::chmod(dir.Path("sealed").c_str(), 0555);
        const auto summary = DeleteCheckedFolders(list);
        std::string text = std::to_string(summary.Removed) + ";";
        for (const auto& failure : summary.Failures) {
            text += failure.Path.substr(dir.Root().size() + 1) + "=" +
                    std::to_string(failure.ErrorCode) + ";";
        }
        for (const auto& path : Remaining(list, dir)) {
            text += path + ";";
        }
        return text;
    });
    EXPECT_EQ(outcome, "1;sealed/inner=" + std::to_string(EACCES) +
                           ";sealed=" + std::to_string(ENOTEMPTY) + ";sealed/inner;sealed;");
    EXPECT_TRUE(dir.Exists("sealed/inner"));
    EXPECT_FALSE(dir.Exists("free"));
}

TEST(DeleteChecked, ChainLongerThanThePathLimitGoesInOneCall) {
    TTestDir dir;
    const std::string name(200, 'd');
    int fd = ::open(dir.Root().c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < 40; ++level) {
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0755), 0);
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    ::close(fd);
    dir.MakeFile("keep.txt");
    TResultList list = Scanned(dir);
    ASSERT_EQ(list.Count(), 40U);
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed, 40U);
    EXPECT_TRUE(summary.Failures.empty());
    EXPECT_FALSE(dir.Exists(name));
}

// Many random trees with random check marks and files written after the scan:
// every file survives with its content, nothing outside the scanned folder
// changes, and only checked folders that were empty are gone.
TEST(DeleteChecked, NeverRemovesAFileOrAnythingOutsideTheScannedFolder) {
    std::mt19937 random(4242);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TTestDir dir;
        dir.MakeFolders("outside/empty");
        std::vector<std::string> folders = {"scan"};
        std::map<std::string, std::string> files;
        dir.MakeFolders("scan");
        for (int i = 0; i < 60; ++i) {
            const std::string folder =
                folders[random() % folders.size()] + "/f" + std::to_string(i);
            dir.MakeFolders(folder);
            folders.push_back(folder);
            if (random() % 5 == 0) {
                files[folder + "/file"] = "content " + std::to_string(i);
            }
        }
        for (const auto& [path, text] : files) {
            dir.MakeFile(path, text);
        }
        TResultList list;
        ASSERT_TRUE(LoadEmptyFolders(list, dir.Path("scan")));
        std::map<std::string, bool> checked;
        for (std::size_t i = 0; i < list.Count(); ++i) {
            list.SetChecked(i, random() % 4 != 0);
            checked[std::string(list.At(i).Record.Path())] = list.At(i).Checked;
        }
        for (const auto& folder : folders) {
            if (random() % 15 == 0 && dir.Exists(folder)) {
                const std::string late = folder + "/late";
                dir.MakeFile(late, "late " + folder);
                files[late] = "late " + folder;
            }
        }
        DeleteCheckedFolders(list);

        for (const auto& [path, text] : files) {
            std::ifstream in(dir.Path(path));
            const std::string content((std::istreambuf_iterator<char>(in)), {});
            EXPECT_EQ(content, text) << path;
        }
        EXPECT_TRUE(dir.Exists("outside/empty"));
        for (const auto& folder : folders) {
            const std::string path = dir.Path(folder);
            if (!dir.Exists(folder)) {
                EXPECT_TRUE(checked.contains(path) && checked[path])
                    << folder << " was not checked";
            }
        }
        for (const auto& entry : list) {
            EXPECT_TRUE(dir.Exists(std::string(entry.Record.Path().substr(dir.Root().size() + 1))));
        }
    }
}
