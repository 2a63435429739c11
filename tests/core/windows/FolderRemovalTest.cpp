#include "core/removal/FolderRemoval.h"

#include "TempTree.h"
#include "core/scan/FolderWalker.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using namespace hollowsweep;
using hollowsweep::test::TempTree;

namespace {

using Outcomes = std::map<std::string, RemovalOutcome>;

// Scans folder and plans the removal of every empty folder found, each with
// the identity the scan saw, as the tool's delete does.
class ScannedRemoval {
public:
    explicit ScannedRemoval(const std::string& folder)
        : starts_{folder}
        , plan_(starts_) {
        FolderWalker walker({});
        walker.Walk(folder, [&](const EmptyFolder& found) {
            EXPECT_TRUE(plan_.Add(found.Path, found.Identity, 0)) << found.Path;
        });
    }

    Outcomes Run(RemovalOptions options = {}, bool* whole = nullptr) {
        Outcomes outcomes;
        const bool all = RemoveFolders(plan_, options, [&](const RemovalEvent& event) {
            outcomes.emplace(std::string(event.Path), event.Outcome);
        });
        if (whole != nullptr) {
            *whole = all;
        }
        return outcomes;
    }

private:
    std::vector<std::string> starts_;
    RemovalPlan plan_;
};

// Whole chains go, the starting folder with them where it is empty too;
// nothing holding a file is touched, nor the file.
TEST(WindowsRemoval, RemovesWhatTheScanFoundAndNothingElse) {
    const TempTree tree;
    tree.MakeFolder(L"top\\a\\b\\c");
    tree.MakeFolder(L"top\\d");
    tree.MakeFile(L"top\\kept\\file.txt");
    ScannedRemoval removal(tree.Path(L"top"));
    const Outcomes outcomes = removal.Run();
    const Outcomes expected{{tree.Path(L"top\\a"), RemovalOutcome::Removed},
                            {tree.Path(L"top\\a\\b"), RemovalOutcome::Removed},
                            {tree.Path(L"top\\a\\b\\c"), RemovalOutcome::Removed},
                            {tree.Path(L"top\\d"), RemovalOutcome::Removed}};
    EXPECT_EQ(outcomes, expected);
    EXPECT_FALSE(tree.Exists(L"top\\a"));
    EXPECT_FALSE(tree.Exists(L"top\\d"));
    EXPECT_TRUE(tree.Exists(L"top\\kept\\file.txt"));
}

// A folder replaced by another of the same name between the scan and the
// removal is not the folder found: it stays, and so does everything below it.
TEST(WindowsRemoval, AFolderReplacedSinceTheScanStays) {
    const TempTree tree;
    tree.MakeFolder(L"top\\target\\inner");
    tree.MakeFolder(L"top\\other");
    ScannedRemoval removal(tree.Path(L"top"));
    tree.Rename(L"top\\target", L"moved");
    tree.MakeFolder(L"top\\target\\inner");
    const Outcomes outcomes = removal.Run();
    EXPECT_EQ(outcomes.at(tree.Path(L"top\\target")), RemovalOutcome::Changed);
    EXPECT_EQ(outcomes.at(tree.Path(L"top\\target\\inner")), RemovalOutcome::Changed);
    EXPECT_EQ(outcomes.at(tree.Path(L"top\\other")), RemovalOutcome::Removed);
    EXPECT_TRUE(tree.Exists(L"top\\target\\inner"));
    EXPECT_TRUE(tree.Exists(L"moved\\inner"));
}

// A folder that holds a file by now is kept and said so; its empty
// sub-folders still go.
TEST(WindowsRemoval, AFolderFilledSinceTheScanIsKept) {
    const TempTree tree;
    tree.MakeFolder(L"top\\filled\\empty");
    ScannedRemoval removal(tree.Path(L"top"));
    tree.MakeFile(L"top\\filled\\new.txt");
    const Outcomes outcomes = removal.Run();
    EXPECT_EQ(outcomes.at(tree.Path(L"top\\filled")), RemovalOutcome::NotEmpty);
    EXPECT_EQ(outcomes.at(tree.Path(L"top\\filled\\empty")), RemovalOutcome::Removed);
    EXPECT_TRUE(tree.Exists(L"top\\filled\\new.txt"));
}

// Cancelled before it starts, nothing is removed and the removal says it
// did not handle everything.
TEST(WindowsRemoval, ACancelledRemovalRemovesNothing) {
    const TempTree tree;
    tree.MakeFolder(L"top\\a\\b");
    ScannedRemoval removal(tree.Path(L"top"));
    const std::atomic<bool> cancel{true};
    RemovalOptions options;
    options.Cancel = &cancel;
    bool whole = true;
    EXPECT_TRUE(removal.Run(options, &whole).empty());
    EXPECT_FALSE(whole);
    EXPECT_TRUE(tree.Exists(L"top\\a\\b"));
}

// A junk file Windows would keep as read-only goes as it does on Linux.
TEST(WindowsRemoval, AReadOnlyJunkFileGoesToo) {
    const TempTree tree;
    tree.MakeFile(L"top\\junk\\Thumbs.db");
    ASSERT_NE(::SetFileAttributesW(WideText(tree.Path(L"top\\junk\\Thumbs.db")).c_str(),
                                   FILE_ATTRIBUTE_READONLY),
              0);
    const std::vector<std::string> starts{tree.Path(L"top")};
    RemovalPlan plan(starts);
    ASSERT_TRUE(plan.Add(tree.Path(L"top\\junk"), {}, 0));
    RemovalOptions options;
    options.Rules.JunkFiles = {"Thumbs.db"};
    std::vector<RemovalOutcome> outcomes;
    EXPECT_TRUE(RemoveFolders(
        plan, options, [&](const RemovalEvent& event) { outcomes.push_back(event.Outcome); }));
    EXPECT_EQ(outcomes, std::vector<RemovalOutcome>{RemovalOutcome::Removed});
    EXPECT_FALSE(tree.Exists(L"top\\junk"));
}

// Junk files are all that keeps a folder: they go, and it goes. Past a
// budget of one held folder, the walk down and back up by handles ends the
// same.
TEST(WindowsRemoval, JunkFilesGoWithTheirFolderAlsoPastTheBudget) {
    for (const std::size_t budget : {std::size_t{0}, std::size_t{1}}) {
        const TempTree tree;
        tree.MakeFile(L"top\\a\\b\\Thumbs.db");
        tree.MakeFolder(L"top\\a\\c\\d");
        RemovalOptions options;
        options.Rules.JunkFiles = {"thumbs.db"};
        options.OpenFolderBudget = budget;
        options.Threads = 2;
        const std::vector<std::string> starts{tree.Path(L"top")};
        RemovalPlan plan(starts);
        for (const auto& path : {L"top\\a\\b", L"top\\a\\c\\d", L"top\\a\\c", L"top\\a"}) {
            ASSERT_TRUE(plan.Add(tree.Path(path), {}, 0));
        }
        std::vector<RemovalOutcome> outcomes;
        EXPECT_TRUE(RemoveFolders(
            plan, options, [&](const RemovalEvent& event) { outcomes.push_back(event.Outcome); }));
        EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), RemovalOutcome::Removed), 4)
            << "budget " << budget;
        EXPECT_FALSE(tree.Exists(L"top\\a")) << "budget " << budget;
        EXPECT_TRUE(tree.Exists(L"top"));
    }
}

} // namespace
