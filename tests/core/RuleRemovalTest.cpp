#include "ScopedMount.h"
#include "TestDir.h"
#include "core/removal/FolderRemoval.h"
#include "core/scan/EmptyFolderScan.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/stat.h>

using namespace hollowsweep;
using namespace std::chrono_literals;
using hollowsweep::test::TestDir;
namespace fs = std::filesystem;

namespace {

using Outcomes = std::map<std::string, RemovalOutcome>;

class Removal {
public:
    explicit Removal(const TestDir& dir)
        : dir_(dir) {}

    // Scans with the rules, lets the tree change, then removes what was found.
    Outcomes Scanned(const ScanRules& rules, const std::function<void()>& afterScan = {}) {
        RemovalPlan plan(std::vector<std::string>{dir_.Root()});
        ScanOptions options;
        options.Rules = rules;
        std::size_t tag = 0;
        ForEachEmptyFolder(std::vector<std::string>{dir_.Root()}, options,
                           [&](const EmptyFolder& found) {
                               EXPECT_TRUE(plan.Add(found.Path, found.Identity, tag++));
                           });
        if (afterScan) {
            afterScan();
        }
        return Remove(plan, rules);
    }

    // Removes folders the user listed, known by their paths alone.
    Outcomes Listed(const ScanRules& rules, std::vector<std::string> relative) {
        for (auto& path : relative) {
            path = RemovalPlan::NormalPath(dir_.Path(path));
        }
        std::sort(relative.begin(), relative.end(), RemovalPlan::GroupedBefore);
        RemovalPlan plan(std::vector<std::string>{dir_.Root()});
        for (std::size_t tag = 0; tag < relative.size(); ++tag) {
            EXPECT_TRUE(plan.Add(relative[tag], {}, tag));
        }
        return Remove(plan, rules);
    }

private:
    Outcomes Remove(RemovalPlan& plan, const ScanRules& rules) {
        RemovalOptions options;
        options.Rules = rules;
        options.Threads = 2;
        Outcomes outcomes;
        RemoveFolders(plan, options, [&](const RemovalEvent& event) {
            const std::string path(event.Path);
            outcomes[path == dir_.Root() ? "." : path.substr(dir_.Root().size() + 1)] =
                event.Outcome;
        });
        return outcomes;
    }

    const TestDir& dir_;
};

// Every path in the tree with what it holds, relative and sorted.
std::string TreeOf(const TestDir& dir) {
    std::vector<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Root())) {
        std::string line = entry.path().lexically_relative(dir.Root()).string();
        if (entry.is_symlink()) {
            line += " -> link";
        } else if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            line += " = " + text.str();
        }
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    std::string tree;
    for (const auto& line : lines) {
        tree += line + "\n";
    }
    return tree;
}

ScanRules CommonJunk() {
    ScanRules rules;
    for (const auto name : CommonJunkFiles()) {
        rules.JunkFiles.emplace_back(name);
    }
    return rules;
}

} // namespace

TEST(RuleRemoval, JunkFilesGoWithTheirFolderAndNothingElseIsTouched) {
    TestDir dir;
    dir.MakeFile("junk/Thumbs.db", "thumbs");
    dir.MakeFile("junk/sub/.DS_Store", "store");
    dir.MakeFile("mixed/Thumbs.db", "kept thumbs");
    dir.MakeFile("mixed/photo.jpg", "\xff\xd8 jpeg");
    dir.MakeFolders("plain/empty");
    const Outcomes outcomes = Removal(dir).Scanned(CommonJunk());
    EXPECT_EQ(outcomes, (Outcomes{{"junk/sub", RemovalOutcome::Removed},
                                  {"junk", RemovalOutcome::Removed},
                                  {"plain/empty", RemovalOutcome::Removed},
                                  {"plain", RemovalOutcome::Removed}}));
    EXPECT_EQ(TreeOf(dir),
              "mixed\nmixed/Thumbs.db = kept thumbs\nmixed/photo.jpg = \xff\xd8 jpeg\n");
}

// Whatever turns up beside the junk files after the scan keeps the folder,
// and its junk files with it.
TEST(RuleRemoval, AnythingBesideTheJunkAfterTheScanKeepsTheFolderWhole) {
    const struct {
        const char* name;
        std::function<void(const TestDir&)> change;
        const char* tree;
    } cases[] = {
        {"a file", [](const TestDir& dir) { dir.MakeFile("junk/new.txt", "new"); },
         "junk\njunk/Thumbs.db = thumbs\njunk/new.txt = new\n"},
        {"a link in the junk file's place",
         [](const TestDir& dir) {
             fs::remove(dir.Path("junk/Thumbs.db"));
             dir.MakeLink("junk/Thumbs.db", "/");
         },
         "junk\njunk/Thumbs.db -> link\n"},
        {"a folder in the junk file's place",
         [](const TestDir& dir) {
             fs::remove(dir.Path("junk/Thumbs.db"));
             dir.MakeFile("junk/Thumbs.db/inside", "in");
         },
         "junk\njunk/Thumbs.db\njunk/Thumbs.db/inside = in\n"},
        {"another junk-named file in a sub-folder",
         [](const TestDir& dir) { dir.MakeFile("junk/sub/.DS_Store", "store"); },
         "junk\njunk/Thumbs.db = thumbs\njunk/sub\njunk/sub/.DS_Store = store\n"},
    };
    for (const auto& [name, change, tree] : cases) {
        SCOPED_TRACE(name);
        TestDir dir;
        dir.MakeFile("junk/Thumbs.db", "thumbs");
        const Outcomes outcomes =
            Removal(dir).Scanned(CommonJunk(), [&, &change = change] { change(dir); });
        EXPECT_EQ(outcomes.at("junk"), RemovalOutcome::NotEmpty);
        EXPECT_EQ(TreeOf(dir), tree);
    }
}

TEST(RuleRemoval, WithoutAJunkRuleNoFileIsEverRemoved) {
    TestDir dir;
    dir.MakeFile("listed/Thumbs.db", "thumbs");
    const Outcomes outcomes = Removal(dir).Listed({}, {"listed"});
    EXPECT_EQ(outcomes, (Outcomes{{"listed", RemovalOutcome::NotEmpty}}));
    EXPECT_EQ(TreeOf(dir), "listed\nlisted/Thumbs.db = thumbs\n");
}

// Folders the user lists without a scan obey the rules as the scan would.
TEST(RuleRemoval, ListedFoldersObeyTheRules) {
    TestDir dir;
    dir.MakeFolders(".git/refs");
    dir.MakeFolders("young/old");
    dir.MakeFolders("old");
    dir.MakeFile("junk/desktop.ini");
    const std::time_t now = std::time(nullptr);
    for (const char* folder : {".git/refs", ".git", "young/old", "old", "junk"}) {
        dir.SetModified(folder, now - 2L * 86400);
    }
    ScanRules rules = CommonJunk();
    rules.ExcludedFolders = {".git"};
    rules.MinimumAge = 24h;
    const Outcomes outcomes =
        Removal(dir).Listed(rules, {".git/refs", ".git", "young/old", "young", "old", "junk"});
    EXPECT_EQ(outcomes, (Outcomes{{".git/refs", RemovalOutcome::Excluded},
                                  {".git", RemovalOutcome::Excluded},
                                  {"young/old", RemovalOutcome::Removed},
                                  {"young", RemovalOutcome::TooRecent},
                                  {"old", RemovalOutcome::Removed},
                                  {"junk", RemovalOutcome::Removed}}));
    EXPECT_EQ(TreeOf(dir), ".git\n.git/refs\nyoung\n");
}

// Removing a folder makes its parent new: the age that counts is the one the
// folder had before anything below it went.
TEST(RuleRemoval, OldChainGoesWholeThoughEachRemovalRenewsItsParent) {
    TestDir dir;
    dir.MakeFolders("a/b/c/d");
    const std::time_t now = std::time(nullptr);
    for (const char* folder : {"a/b/c/d", "a/b/c", "a/b", "a", "."}) {
        dir.SetModified(folder, now - 2L * 86400);
    }
    ScanRules rules;
    rules.MinimumAge = 24h;
    const Outcomes outcomes = Removal(dir).Scanned(rules);
    EXPECT_EQ(outcomes.size(), 5U);
    for (const auto& [path, outcome] : outcomes) {
        EXPECT_EQ(outcome, RemovalOutcome::Removed) << path;
    }
}

TEST(RuleRemoval, OneFileSystemLeavesMountedFoldersAlone) {
    TestDir dir;
    dir.MakeFolders("mounted");
    dir.MakeFolders("plain/empty");
    const test::ScopedMount tmpfs("none", dir.Path("mounted"), "tmpfs");
    if (!tmpfs.Mounted()) {
        GTEST_SKIP() << "mounting is not allowed here: " << tmpfs.Error();
    }
    ::mkdir(dir.Path("mounted/inner").c_str(), 0700);
    ::mkdir(dir.Path("mounted/inner/empty").c_str(), 0700);
    ScanRules rules;
    rules.OneFileSystem = true;
    const Outcomes outcomes =
        Removal(dir).Listed(rules, {"mounted/inner/empty", "mounted/inner", "plain/empty"});
    EXPECT_EQ(outcomes, (Outcomes{{"mounted/inner/empty", RemovalOutcome::OtherFileSystem},
                                  {"mounted/inner", RemovalOutcome::OtherFileSystem},
                                  {"plain/empty", RemovalOutcome::Removed}}));
    EXPECT_TRUE(dir.Exists("mounted/inner/empty"));
    // Without the rule, the same list reaches into the mount.
    EXPECT_EQ(Removal(dir).Listed({}, {"mounted/inner/empty", "mounted/inner"}).at("mounted/inner"),
              RemovalOutcome::Removed);
}
