#include "TestDir.h"
#include "core/platform/WholeFile.h"
#include "core/removal/FolderRemoval.h"
#include "core/scan/EmptyFolderScan.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

namespace {

using Outcomes = std::map<std::string, RemovalOutcome>;

// A trash that takes folders by renaming them into a folder of its own, as
// the desktop's trash does, and keeps the paths it was handed. It refuses a
// folder of the refused name, or every folder once Refuses is set.
class FakeTrash {
public:
    std::vector<std::string> Taken;
    bool Refuses = false;
    std::string RefusedName = "refused";

    MoveToTrashFunction Function() {
        return [this](const std::string& path) -> std::optional<std::string> {
            const std::lock_guard lock(mutex_);
            if (Refuses || path.substr(path.rfind('/') + 1) == RefusedName) {
                return "the bin is full";
            }
            const std::string target = bin_.Path(std::to_string(Taken.size()));
            if (std::rename(path.c_str(), target.c_str()) != 0) {
                return "not renamed";
            }
            Taken.push_back(path);
            return std::nullopt;
        };
    }
    // Where the n-th folder taken lies now.
    std::string Item(std::size_t n, std::string_view below = {}) const {
        std::string path = bin_.Path(std::to_string(n));
        if (!below.empty()) {
            path += '/';
            path += below;
        }
        return path;
    }

private:
    TestDir bin_;
    std::mutex mutex_;
};

struct Heard {
    std::map<std::string, RemovalOutcome> Outcomes;
    std::map<std::string, std::string> Reasons;
};

// Scans the tree, lets it change, then sends what was found to the trash.
// The root holds a file, so that it stays whatever happens below it.
Heard TrashScannedHeard(const TestDir& dir, FakeTrash& trash, const ScanRules& rules = {},
                        const std::function<void()>& afterScan = {}, unsigned threads = 2,
                        std::size_t openFolderBudget = 0) {
    dir.MakeFile("keep.txt", "data");
    RemovalPlan plan(std::vector<std::string>{dir.Root()});
    ScanOptions scan;
    scan.Rules = rules;
    std::size_t tag = 0;
    ForEachEmptyFolder(std::vector<std::string>{dir.Root()}, scan, [&](const EmptyFolder& found) {
        EXPECT_TRUE(plan.Add(found.Path, found.Identity, tag++));
    });
    if (afterScan) {
        afterScan();
    }
    RemovalOptions options;
    options.Threads = threads;
    options.OpenFolderBudget = openFolderBudget;
    options.Rules = rules;
    options.MoveToTrash = trash.Function();
    Heard heard;
    EXPECT_TRUE(RemoveFolders(plan, options, [&](const RemovalEvent& event) {
        const std::string path(event.Path);
        const std::string relative = path == dir.Root() ? "." : path.substr(dir.Root().size() + 1);
        EXPECT_EQ(heard.Outcomes.count(relative), 0U) << relative;
        heard.Outcomes[relative] = event.Outcome;
        if (!event.Reason.empty()) {
            heard.Reasons[relative] = event.Reason;
        }
    }));
    return heard;
}

Outcomes TrashScanned(const TestDir& dir, FakeTrash& trash, const ScanRules& rules = {},
                      const std::function<void()>& afterScan = {}) {
    return TrashScannedHeard(dir, trash, rules, afterScan).Outcomes;
}

std::vector<std::string> Sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

// A chain of empty folders goes to the trash as one item, its topmost folder,
// once every folder in it was checked, and each folder counts as removed.
// Where a folder holds a file, its empty sub-folders go one by one. Whether
// folders are held open or walked on one thread, the outcome is the same.
TEST(TrashMove, AChainOfEmptyFoldersGoesToTheTrashAsOneItem) {
    const struct {
        unsigned Threads;
        std::size_t OpenFolderBudget;
    } ways[] = {{2, 0}, {1, 1}};
    for (const auto& [threads, budget] : ways) {
        TestDir dir;
        dir.MakeFolders("chain/sub/deeper");
        dir.MakeFolders("mixed/a/inner");
        dir.MakeFolders("mixed/b");
        dir.MakeFile("mixed/file.txt", "data");
        FakeTrash trash;
        const Heard heard = TrashScannedHeard(dir, trash, {}, {}, threads, budget);
        EXPECT_EQ(heard.Outcomes, (Outcomes{{"chain/sub/deeper", RemovalOutcome::Removed},
                                            {"chain/sub", RemovalOutcome::Removed},
                                            {"chain", RemovalOutcome::Removed},
                                            {"mixed/a/inner", RemovalOutcome::Removed},
                                            {"mixed/a", RemovalOutcome::Removed},
                                            {"mixed/b", RemovalOutcome::Removed}}));
        EXPECT_EQ(Sorted(trash.Taken),
                  (std::vector<std::string>{dir.Path("chain"), dir.Path("mixed/a"),
                                            dir.Path("mixed/b")}));
        EXPECT_FALSE(dir.Exists("chain"));
        EXPECT_TRUE(dir.Exists("mixed/file.txt"));
        const auto chain = std::find(trash.Taken.begin(), trash.Taken.end(), dir.Path("chain"));
        EXPECT_TRUE(std::filesystem::is_directory(
            trash.Item(static_cast<std::size_t>(chain - trash.Taken.begin()), "sub/deeper")));
    }
}

// Where the trash refuses the top of a chain, the checked folders inside it
// still go, as rmdir would take them below a folder it cannot remove, and the
// trash's words say why the top stayed.
TEST(TrashMove, WhereTheTrashRefusesAFolderTheFoldersInsideStillGo) {
    TestDir dir;
    dir.MakeFolders("refused/inner/deeper");
    FakeTrash trash;
    const Heard heard = TrashScannedHeard(dir, trash);
    EXPECT_EQ(heard.Outcomes, (Outcomes{{"refused/inner/deeper", RemovalOutcome::Removed},
                                        {"refused/inner", RemovalOutcome::Removed},
                                        {"refused", RemovalOutcome::NotTrashed}}));
    EXPECT_EQ(heard.Reasons, (std::map<std::string, std::string>{{"refused", "the bin is full"}}));
    EXPECT_EQ(trash.Taken, (std::vector<std::string>{dir.Path("refused/inner")}));
    EXPECT_TRUE(dir.Exists("refused"));
}

TEST(TrashMove, FolderThatIsNoLongerEmptyOrThatTheTrashRefusesStays) {
    TestDir grown;
    grown.MakeFolders("grew");
    FakeTrash trash;
    const Outcomes grew =
        TrashScanned(grown, trash, {}, [&] { grown.MakeFile("grew/new.txt", "new"); });
    EXPECT_EQ(grew, (Outcomes{{"grew", RemovalOutcome::NotEmpty}}));
    EXPECT_TRUE(grown.Exists("grew/new.txt"));

    TestDir refusedDir;
    refusedDir.MakeFolders("refused");
    trash.Refuses = true;
    const Outcomes refused = TrashScanned(refusedDir, trash);
    EXPECT_EQ(refused, (Outcomes{{"refused", RemovalOutcome::NotTrashed}}));
    EXPECT_EQ(RemovalReason(RemovalOutcome::NotTrashed, 0), "could not be moved to the trash");
    EXPECT_TRUE(refusedDir.Exists("refused"));
    EXPECT_TRUE(trash.Taken.empty());
}

// A folder swapped for a link after the scan is not handed to the trash:
// the trash would take the link's target by its path.
TEST(TrashMove, FolderReplacedByALinkIsNotHandedOver) {
    TestDir dir;
    TestDir elsewhere;
    elsewhere.MakeFolders("target");
    dir.MakeFolders("swapped");
    FakeTrash trash;
    const Outcomes outcomes = TrashScanned(dir, trash, {}, [&] {
        std::filesystem::remove(dir.Path("swapped"));
        dir.MakeLink("swapped", elsewhere.Path("target"));
    });
    EXPECT_EQ(outcomes.at("swapped"), RemovalOutcome::Changed);
    EXPECT_TRUE(trash.Taken.empty());
    EXPECT_TRUE(elsewhere.Exists("target"));
}

// Junk files go to the trash inside their folder, where the user finds them
// again, instead of being removed for good.
TEST(TrashMove, JunkFilesGoToTheTrashWithTheirFolder) {
    TestDir dir;
    dir.MakeFile("junk/Thumbs.db", "thumbs");
    dir.MakeFile("junk/sub/Thumbs.db", "more thumbs");
    dir.MakeFile("kept/Thumbs.db", "thumbs");
    dir.MakeFile("kept/photo.jpg", "photo");
    ScanRules rules;
    rules.JunkFiles = {"Thumbs.db"};
    FakeTrash trash;
    const Outcomes outcomes = TrashScanned(dir, trash, rules);
    EXPECT_EQ(outcomes,
              (Outcomes{{"junk/sub", RemovalOutcome::Removed}, {"junk", RemovalOutcome::Removed}}));
    EXPECT_EQ(trash.Taken, (std::vector<std::string>{dir.Path("junk")}));
    EXPECT_EQ(ReadWholeFile(trash.Item(0, "Thumbs.db")), "thumbs");
    EXPECT_EQ(ReadWholeFile(trash.Item(0, "sub/Thumbs.db")), "more thumbs");
    EXPECT_TRUE(dir.Exists("kept/Thumbs.db"));
}
