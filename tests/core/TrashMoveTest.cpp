#include "TestDir.h"
#include "core/removal/FolderRemoval.h"
#include "core/scan/EmptyFolderScan.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <string>
#include <vector>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

namespace {

using Outcomes = std::map<std::string, RemovalOutcome>;

// A trash that takes folders by renaming them into a folder of its own, as
// the desktop's trash does, and keeps the paths it was handed.
class FakeTrash {
public:
    std::vector<std::string> Taken;
    bool Refuses = false;

    MoveToTrashFunction Function() {
        return [this](const std::string& path) {
            const std::lock_guard lock(mutex_);
            if (Refuses) {
                return false;
            }
            const std::string target = bin_.Path(std::to_string(Taken.size()));
            if (std::rename(path.c_str(), target.c_str()) != 0) {
                return false;
            }
            Taken.push_back(path);
            return true;
        };
    }

private:
    TestDir bin_;
    std::mutex mutex_;
};

// Scans the tree, lets it change, then sends what was found to the trash.
// The root holds a file, so that it stays whatever happens below it.
Outcomes TrashScanned(const TestDir& dir, FakeTrash& trash, const ScanRules& rules = {},
                      const std::function<void()>& afterScan = {}) {
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
    options.Rules = rules;
    options.Threads = 2;
    options.MoveToTrash = trash.Function();
    Outcomes outcomes;
    RemoveFolders(plan, options, [&](const RemovalEvent& event) {
        const std::string path(event.Path);
        outcomes[path == dir.Root() ? "." : path.substr(dir.Root().size() + 1)] = event.Outcome;
    });
    return outcomes;
}

} // namespace

// Each folder goes to the trash once the folders below it went there, so a
// chain goes a folder at a time, and nothing that holds a file is handed over.
TEST(TrashMove, EmptyFoldersGoToTheTrashChildrenFirst) {
    TestDir dir;
    dir.MakeFolders("chain/sub");
    dir.MakeFile("full/keep.txt", "data");
    FakeTrash trash;
    const Outcomes outcomes = TrashScanned(dir, trash);
    EXPECT_EQ(outcomes, (Outcomes{{"chain/sub", RemovalOutcome::Removed},
                                  {"chain", RemovalOutcome::Removed}}));
    EXPECT_EQ(trash.Taken, (std::vector<std::string>{dir.Path("chain/sub"), dir.Path("chain")}));
    EXPECT_FALSE(dir.Exists("chain"));
    EXPECT_TRUE(dir.Exists("full/keep.txt"));
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

TEST(TrashMove, JunkFilesGoFirstAndTheFolderFollows) {
    TestDir dir;
    dir.MakeFile("junk/Thumbs.db", "thumbs");
    ScanRules rules;
    rules.JunkFiles = {"Thumbs.db"};
    FakeTrash trash;
    const Outcomes outcomes = TrashScanned(dir, trash, rules);
    EXPECT_EQ(outcomes, (Outcomes{{"junk", RemovalOutcome::Removed}}));
    EXPECT_EQ(trash.Taken, (std::vector<std::string>{dir.Path("junk")}));
}
