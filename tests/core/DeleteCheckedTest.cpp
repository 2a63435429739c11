#include "core/results/DeleteChecked.h"

#include "TestDir.h"
#include "Unprivileged.h"
#include "core/errors/Errors.h"
#include "core/results/LoadEmptyFolders.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace hollowsweep;
using hollowsweep::test::TestDir;
namespace fs = std::filesystem;

namespace {

ResultList Scanned(const TestDir& dir, const std::string& folder = {}) {
    ResultList list;
    EXPECT_TRUE(LoadEmptyFolders(list, dir.Path(folder)));
    return list;
}

std::vector<std::string> Remaining(const ResultList& list, const TestDir& dir) {
    std::vector<std::string> paths;
    for (const auto& entry : list) {
        const std::string relative(entry.Record.Path().substr(dir.Root().size() + 1));
        paths.push_back(entry.Checked() ? relative : "-" + relative);
    }
    return paths;
}

std::size_t IndexOf(const ResultList& list, const std::string& path) {
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (list.At(i).Record.Path() == path) {
            return i;
        }
    }
    return list.Count();
}

// Every path in the tree, relative and sorted.
std::vector<std::string> TreeOf(const TestDir& dir) {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Root())) {
        paths.push_back(entry.path().lexically_relative(dir.Root()).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string Failures(const DeleteSummary& summary, const TestDir& dir) {
    std::string text;
    for (const auto& failure : summary.Failures) {
        text += failure.Path.substr(dir.Root().size() + 1) + "=" +
                RemovalReason(failure.Outcome, failure.ErrorCode) + ";";
    }
    return text;
}

// One thread, many threads, and so few open folders that the removal climbs
// back up through ".." on one thread.
struct Setting {
    unsigned Threads;
    std::size_t Budget;
};
constexpr Setting Settings[] = {{1, 0}, {8, 0}, {3, 1}, {2, 2}};

RemovalOptions OptionsFor(const Setting& setting) {
    RemovalOptions options;
    options.Threads = setting.Threads;
    options.OpenFolderBudget = setting.Budget;
    return options;
}

std::string Describe(const Setting& setting) {
    return std::to_string(setting.Threads) + " threads, budget " + std::to_string(setting.Budget);
}

using Paths = std::vector<std::string>;

} // namespace

TEST(DeleteChecked, OneCallRemovesAWholeChainWhateverTheListOrder) {
    for (const auto& setting : Settings) {
        for (const auto direction : {SortDirection::Ascending, SortDirection::Descending}) {
            SCOPED_TRACE(Describe(setting));
            TestDir dir;
            dir.MakeFolders("A/B/C");
            dir.MakeFile("keep.txt", "data");
            ResultList list = Scanned(dir);
            list.Sort([](const ResultEntry& a,
                         const ResultEntry& b) { return a.Record.Path().compare(b.Record.Path()); },
                      direction);
            std::vector<std::string> removed;
            const auto summary =
                DeleteCheckedFolders(list, OptionsFor(setting),
                                     [&](std::string_view path) { removed.emplace_back(path); });
            EXPECT_EQ(summary.Removed, 3U);
            EXPECT_TRUE(summary.Failures.empty());
            EXPECT_TRUE(summary.Complete);
            EXPECT_TRUE(list.Empty());
            EXPECT_EQ(removed, (Paths{dir.Path("A/B/C"), dir.Path("A/B"), dir.Path("A")}));
            EXPECT_EQ(TreeOf(dir), (Paths{"keep.txt"}));
        }
    }
}

TEST(DeleteChecked, UncheckedSubFolderKeepsItsParentsListedAndChecked) {
    TestDir dir;
    dir.MakeFolders("A/B/C");
    dir.MakeFile("keep.txt");
    ResultList list = Scanned(dir);
    list.SetChecked(IndexOf(list, dir.Path("A/B/C")), false);
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed, 0U);
    ASSERT_EQ(summary.Failures.size(), 2U);
    EXPECT_EQ(summary.Failures[0].Path, dir.Path("A/B"));
    EXPECT_EQ(summary.Failures[0].Outcome, RemovalOutcome::NotEmpty);
    EXPECT_EQ(summary.Failures[0].ErrorCode, ENOTEMPTY);
    EXPECT_EQ(Remaining(list, dir), (Paths{"-A/B/C", "A/B", "A"}));
    EXPECT_TRUE(dir.Exists("A/B/C"));
}

// What the filter hides stays, checked or not.
TEST(DeleteChecked, RemovesOnlyTheCheckedFoldersTheFilterShows) {
    TestDir dir;
    dir.MakeFolders("photos/raw");
    dir.MakeFolders("music/old");
    dir.MakeFolders("Photos2");
    dir.MakeFile("keep.txt");
    ResultList list = Scanned(dir);
    list.SetFilter("PHOTOS");
    list.SetChecked(IndexOf(list, dir.Path("Photos2")), false);
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed, 2U);
    EXPECT_TRUE(summary.Failures.empty());
    list.SetFilter({});
    EXPECT_EQ(Remaining(list, dir), (Paths{"music/old", "music", "-Photos2"}));
    EXPECT_FALSE(dir.Exists("photos"));
    EXPECT_TRUE(dir.Exists("music/old"));
}

TEST(DeleteChecked, FolderThatGotAFileAfterTheScanStays) {
    TestDir dir;
    dir.MakeFolders("late/inner");
    dir.MakeFolders("other");
    dir.MakeFile("keep.txt");
    ResultList list = Scanned(dir);
    dir.MakeFile("late/new.txt", "written after the scan");
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed, 2U); // late/inner and other
    EXPECT_EQ(Failures(summary, dir), "late=Directory not empty;");
    EXPECT_EQ(Remaining(list, dir), (Paths{"late"}));
    EXPECT_TRUE(dir.Exists("late/new.txt"));
}

TEST(DeleteChecked, FolderRemovedElsewhereLeavesTheListOneReplacedStaysListed) {
    TestDir dir;
    dir.MakeFolders("gone");
    dir.MakeFolders("replaced");
    dir.MakeFolders("renewed");
    dir.MakeFile("keep.txt");
    ResultList list = Scanned(dir);
    ::rmdir(dir.Path("gone").c_str());
    ::rmdir(dir.Path("replaced").c_str());
    dir.MakeFile("replaced", "now a file");
    // The same name, but not the folder the scan found.
    fs::rename(dir.Path("renewed"), dir.Path("keep.dir"));
    dir.MakeFolders("renewed");
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed, 0U);
    EXPECT_EQ(summary.Gone, 1U);
    ASSERT_EQ(summary.Failures.size(), 2U);
    for (const auto& failure : summary.Failures) {
        EXPECT_EQ(failure.Outcome, RemovalOutcome::Changed) << failure.Path;
    }
    EXPECT_EQ(TreeOf(dir), (Paths{"keep.dir", "keep.txt", "renewed", "replaced"}));
}

TEST(DeleteChecked, NothingCheckedOrNothingListedChangesNothing) {
    TestDir dir;
    dir.MakeFolders("a");
    dir.MakeFile("keep.txt");
    ResultList list = Scanned(dir);
    list.UncheckAll();
    const auto summary = DeleteCheckedFolders(list);
    EXPECT_EQ(summary.Removed + summary.Gone + summary.Failures.size(), 0U);
    EXPECT_EQ(list.Count(), 1U);
    EXPECT_TRUE(dir.Exists("a"));

    ResultList empty;
    EXPECT_NO_THROW(DeleteCheckedFolders(empty));
}

TEST(DeleteChecked, FolderThatMayNotBeRemovedKeepsItsEntryWithTheReason) {
    TestDir dir;
    dir.MakeFolders("sealed/inner");
    dir.MakeFolders("free");
    dir.MakeFile("sealed/../keep.txt");
    test::GiveToUnprivileged(dir.Root());
    const std::string outcome = test::RunUnprivileged([&] {
        ResultList list;
        LoadEmptyFolders(list, dir.Root());
        ::chmod(dir.Path("sealed").c_str(), 0555);
        const auto summary = DeleteCheckedFolders(list);
        std::string text = std::to_string(summary.Removed) + ";" + Failures(summary, dir);
        for (const auto& path : Remaining(list, dir)) {
            text += path + ";";
        }
        return text;
    });
    EXPECT_EQ(outcome,
              "1;sealed/inner=Permission denied;sealed=Directory not empty;sealed/inner;sealed;");
    EXPECT_TRUE(dir.Exists("sealed/inner"));
    EXPECT_FALSE(dir.Exists("free"));
}

TEST(DeleteChecked, ChainLongerThanThePathLimitGoesInOneCall) {
    for (const auto& setting : Settings) {
        SCOPED_TRACE(Describe(setting));
        TestDir dir;
        const std::string name(200, 'd');
        dir.MakeChain(name, 40);
        dir.MakeFile("keep.txt");
        ResultList list = Scanned(dir);
        ASSERT_EQ(list.Count(), 40U);
        const auto summary = DeleteCheckedFolders(list, OptionsFor(setting));
        EXPECT_EQ(summary.Removed, 40U);
        EXPECT_TRUE(summary.Failures.empty());
        EXPECT_EQ(TreeOf(dir), (Paths{"keep.txt"}));
    }
}

// Between the scan and the removal, another user swaps a folder of the tree
// for a link to an outside folder of the same shape, for a file, or for
// another folder of the same name. Nothing outside the tree may go, and the
// folders are reported as changed.
TEST(DeleteChecked, SwappedParentsNeverLeadTheRemovalAstray) {
    const struct {
        const char* name;
        std::function<void(const TestDir&)> swap;
        Paths remaining;
    } cases[] = {
        {"parent replaced by a link",
         [](const TestDir& d) {
             fs::rename(d.Path("tree/A"), d.Path("tree/moved"));
             d.MakeLink("tree/A", d.Path("outside"));
         },
         {"tree/A", "tree/keep.txt", "tree/moved", "tree/moved/x", "tree/moved/x/y"}},
        {"parent replaced by a file",
         [](const TestDir& d) {
             fs::remove_all(d.Path("tree/A"));
             d.MakeFile("tree/A", "a file now");
         },
         {"tree/A", "tree/keep.txt"}},
        {"subtree moved away, another one moved in",
         [](const TestDir& d) {
             fs::rename(d.Path("tree/A"), d.Path("moved"));
             fs::rename(d.Path("outside"), d.Path("tree/A"));
             d.MakeFolders("outside/x/y");
         },
         {"tree/A", "tree/A/x", "tree/A/x/y", "tree/keep.txt"}},
    };
    for (const auto& c : cases) {
        for (const auto& setting : Settings) {
            SCOPED_TRACE(std::string(c.name) + ", " + Describe(setting));
            TestDir dir;
            dir.MakeFolders("tree/A/x/y");
            dir.MakeFile("tree/keep.txt");
            dir.MakeFolders("outside/x/y");
            ResultList list = Scanned(dir, "tree");
            ASSERT_EQ(list.Count(), 3U);
            c.swap(dir);
            const auto summary = DeleteCheckedFolders(list, OptionsFor(setting));
            EXPECT_EQ(summary.Removed, 0U);
            ASSERT_EQ(summary.Failures.size(), 3U);
            for (const auto& failure : summary.Failures) {
                EXPECT_EQ(failure.Outcome, RemovalOutcome::Changed) << failure.Path;
            }
            EXPECT_EQ(list.Count(), 3U);
            EXPECT_TRUE(dir.Exists("outside/x/y"));
            Paths tree;
            for (const auto& path : TreeOf(dir)) {
                if (path.starts_with("tree/")) {
                    tree.push_back(path);
                }
            }
            EXPECT_EQ(tree, c.remaining);
        }
    }
}

// Climbing back through ".." leads only to the folder that was left: a folder
// moved away while the removal works below it ends the climb there.
TEST(DeleteChecked, FolderMovedAwayDuringTheRemovalStopsTheClimb) {
    TestDir dir;
    dir.MakeFolders("tree/A/B/C/D");
    dir.MakeFile("tree/keep.txt");
    ResultList list = Scanned(dir, "tree");
    ASSERT_EQ(list.Count(), 4U);
    RemovalOptions options;
    options.Threads = 1;
    options.OpenFolderBudget = 1;
    const auto summary = DeleteCheckedFolders(list, options, [&](std::string_view path) {
        if (path == dir.Path("tree/A/B/C/D")) {
            fs::rename(dir.Path("tree/A/B/C"), dir.Path("tree/C"));
        }
    });
    EXPECT_EQ(summary.Removed, 1U);
    const std::string changed = RemovalReason(RemovalOutcome::Changed, 0);
    EXPECT_EQ(Failures(summary, dir),
              "tree/A/B/C=" + changed + ";tree/A/B=" + changed + ";tree/A=" + changed + ";");
    EXPECT_EQ(TreeOf(dir), (Paths{"tree", "tree/A", "tree/A/B", "tree/C", "tree/keep.txt"}));
}

TEST(DeleteChecked, CancelStopsAfterTheFoldersInFlightAndLeavesAConsistentList) {
    for (const auto& setting : Settings) {
        SCOPED_TRACE(Describe(setting));
        TestDir dir;
        for (int branch = 0; branch < 40; ++branch) {
            dir.MakeFolders("b" + std::to_string(branch) + "/x/y");
        }
        dir.MakeFile("keep.txt");
        ResultList list = Scanned(dir);
        ASSERT_EQ(list.Count(), 120U);
        std::atomic<bool> cancel{false};
        RemovalOptions options = OptionsFor(setting);
        options.Cancel = &cancel;
        std::size_t heard = 0;
        const auto summary = DeleteCheckedFolders(list, options, [&](std::string_view) {
            if (++heard == 10) {
                cancel = true;
            }
        });
        EXPECT_FALSE(summary.Complete);
        EXPECT_GE(summary.Removed, 10U);
        EXPECT_LT(summary.Removed, 120U);
        EXPECT_TRUE(summary.Failures.empty());
        EXPECT_EQ(list.Count(), 120U - summary.Removed);
        // What stayed listed is still there, and the rest is gone.
        for (const auto& entry : list) {
            EXPECT_TRUE(fs::is_directory(std::string(entry.Record.Path())));
        }
        EXPECT_EQ(TreeOf(dir).size(), 1 + list.Count());
    }
}

// Many random trees with random check marks and files written after the scan:
// every file survives with its content, nothing outside the scanned folder
// changes, only checked folders that were empty are gone, and the tree and
// list left are those the one-thread removal leaves.
TEST(DeleteChecked, NeverRemovesAFileOrAnythingOutsideTheScannedFolder) {
    std::mt19937 seeds(4242);
    for (int round = 0; round < 25; ++round) {
        const auto seed = seeds();
        const auto run = [seed](const Setting& setting) {
            std::mt19937 random(seed);
            TestDir dir;
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
            ResultList list = Scanned(dir, "scan");
            std::map<std::string, bool> checked;
            for (std::size_t i = 0; i < list.Count(); ++i) {
                list.SetChecked(i, random() % 4 != 0);
                checked[std::string(list.At(i).Record.Path())] = list.At(i).Checked();
            }
            for (const auto& folder : folders) {
                if (random() % 15 == 0) {
                    files[folder + "/late"] = "late " + folder;
                    dir.MakeFile(folder + "/late", "late " + folder);
                }
            }
            DeleteCheckedFolders(list, OptionsFor(setting));

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
            return std::make_pair(Remaining(list, dir), TreeOf(dir));
        };
        const auto expected = run(Settings[0]);
        for (const auto& setting : Settings) {
            SCOPED_TRACE("round " + std::to_string(round) + ", " + Describe(setting));
            EXPECT_EQ(run(setting), expected);
        }
    }
}

// The removal works from the list's entries on other threads: from its plan to
// its finish, the list refuses every change, whoever asks, and keeps its
// entries as they were.
TEST(DeleteChecked, TheListRefusesChangesWhileItsFoldersAreRemoved) {
    TestDir dir;
    dir.MakeFolders("a/b");
    dir.MakeFile("keep");
    ResultList list = Scanned(dir);
    ASSERT_EQ(Remaining(list, dir), (std::vector<std::string>{"a/b", "a"}));
    list.SetChecked(IndexOf(list, dir.Path("a")), false);
    CheckedFolderRemoval removal(list);
    ASSERT_EQ(removal.Plan(), 1U);
    const std::function<void()> changes[] = {
        [&] { list.CheckAll(); },
        [&] { list.UncheckAll(); },
        [&] { list.SetChecked(0, false); },
        [&] { list.Append(ResultRecord::ForFolder("/elsewhere")); },
        [&] { list.Delete(0); },
        [&] { list.Clear(); },
        [&] { list.Replace(ResultList()); },
        [&] {
            list.Sort([](const ResultEntry&, const ResultEntry&) { return 0; },
                      SortDirection::Descending);
        },
    };
    for (const auto& change : changes) {
        EXPECT_THROW(change(), HollowsweepError);
    }
    EXPECT_EQ(Remaining(list, dir), (std::vector<std::string>{"a/b", "-a"}));
    removal.Remove({}, {});
    EXPECT_EQ(removal.Finish().Removed, 1U);
    EXPECT_EQ(Remaining(list, dir), (std::vector<std::string>{"-a"}));
    list.CheckAll();
    EXPECT_EQ(Remaining(list, dir), (std::vector<std::string>{"a"}));
}
