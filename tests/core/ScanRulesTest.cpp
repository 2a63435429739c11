#include "core/rules/ScanRules.h"

#include "ReferenceWalk.h"
#include "ScopedMount.h"
#include "TestDir.h"
#include "core/errors/Errors.h"
#include "core/scan/EmptyFolderScan.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sys/stat.h>

using namespace hollowsweep;
using namespace std::chrono_literals;
using hollowsweep::test::TestDir;

namespace {

std::vector<std::string> Walked(const std::string& folder, const ScanOptions& options) {
    std::vector<std::string> paths;
    ForEachEmptyFolder(std::vector<std::string>{folder}, options,
                       [&paths](const EmptyFolder& found) { paths.emplace_back(found.Path); });
    return paths;
}

std::vector<std::string> Walked(const TestDir& dir, const ScanRules& rules) {
    ScanOptions options;
    options.Rules = rules;
    return Walked(dir.Root(), options);
}

std::vector<std::string> Relative(const TestDir& dir, const std::vector<std::string>& paths) {
    std::vector<std::string> relative;
    relative.reserve(paths.size());
    for (const auto& path : paths) {
        relative.push_back(path == dir.Root() ? "." : path.substr(dir.Root().size() + 1));
    }
    return relative;
}

// The rules with nothing kept for other programs: every result is the plain one.
ScanRules Plain() {
    ScanRules rules;
    rules.ProtectFolders = false;
    return rules;
}

constexpr std::time_t DaysAgo(int days) {
    return std::time_t{days} * 86400;
}

test::ReferenceRules ReferenceOf(const ScanRules& rules) {
    return {rules.ExcludedFolders, rules.JunkFiles, rules.OneFileSystem,
            static_cast<long long>(rules.MinimumAge.count())};
}

// A random tree where every rule has something to decide: folder names that
// exclusions match, junk files beside real files, links and folders with junk
// names, and folders old and new.
void BuildRandomTree(const TestDir& dir, std::mt19937& random) {
    const char* const folderNames[] = {"d", ".git", "cache", "Thumbs.db", "keep"};
    std::vector<std::string> folders = {""};
    const int count = 20 + static_cast<int>(random() % 120);
    for (int i = 0; i < count; ++i) {
        const std::string parent = folders[random() % folders.size()];
        const std::string name = folderNames[random() % 5];
        std::string folder = parent;
        if (!folder.empty()) {
            folder += '/';
        }
        folder += name;
        if (random() % 3 != 0) {
            folder += std::to_string(i);
        }
        if (!dir.Exists(folder)) {
            dir.MakeFolders(folder);
            folders.push_back(folder);
        }
    }
    for (const auto& folder : folders) {
        const std::string prefix = folder.empty() ? "" : folder + "/";
        // A folder may already bear the junk name here.
        const bool junkNameFree = !dir.Exists(prefix + "Thumbs.db");
        switch (random() % 10) {
        case 0:
            dir.MakeFile(prefix + "data.txt", "data");
            break;
        case 1:
        case 2:
            if (junkNameFree) {
                dir.MakeFile(prefix + "Thumbs.db");
            }
            break;
        case 3:
            dir.MakeFile(prefix + "x.tmp");
            dir.MakeFile(prefix + ".DS_Store");
            break;
        case 4:
            if (junkNameFree) {
                dir.MakeLink(prefix + "Thumbs.db", "/");
            }
            break;
        default:
            break;
        }
    }
    // Last, since filling a folder makes it new.
    const std::time_t now = std::time(nullptr);
    for (const auto& folder : folders) {
        dir.SetModified(folder, random() % 4 == 0 ? now : now - DaysAgo(3));
    }
}

} // namespace

TEST(ScanRules, AgesReadAsANumberAndAUnit) {
    const struct {
        const char* text;
        std::chrono::seconds age;
    } valid[] = {{"90m", 90min}, {"7d", 7 * 24h}, {"12h", 12h}, {"45s", 45s}, {"0s", 0s}};
    for (const auto& [text, age] : valid) {
        EXPECT_EQ(ParseAge(text), age) << text;
        EXPECT_EQ(ParseAge(FormatAge(age)), age) << text;
    }
    EXPECT_EQ(FormatAge(90min), "90m");
    EXPECT_EQ(FormatAge(48h), "2d");
    for (const char* text : {"", "7", "d", "-1d", "+1d", "1.5h", "7D", "7w", " 7d", "7d ",
                             "99999999999999999d", "9999999999999d"}) {
        EXPECT_THROW(ParseAge(text), ConversionError) << '"' << text << '"';
    }
}

TEST(ScanRules, AgeLimitStaysInRangeWhateverTheAge) {
    constexpr FileTime Hour = 3600'000'000'000;
    ScanRules rules;
    EXPECT_EQ(LatestOldEnough(rules, 5 * Hour), std::numeric_limits<FileTime>::max());
    rules.MinimumAge = 1h;
    EXPECT_EQ(LatestOldEnough(rules, 5 * Hour), 4 * Hour);
    // Ages up to the longest one nanoseconds can hold, and past it.
    const FileTime now = FileTimeNow();
    const std::int64_t longest = std::numeric_limits<std::int64_t>::max() / 1'000'000'000;
    rules.MinimumAge = std::chrono::seconds(longest);
    EXPECT_EQ(LatestOldEnough(rules, now), now - longest * 1'000'000'000);
    rules.MinimumAge = std::chrono::seconds::max();
    EXPECT_EQ(LatestOldEnough(rules, now), std::numeric_limits<FileTime>::min());
    rules.MinimumAge = 1h;
    EXPECT_EQ(LatestOldEnough(rules, std::numeric_limits<FileTime>::min() + 5),
              std::numeric_limits<FileTime>::min());
}

TEST(ScanRules, NamesMatchAsCaseSensitiveShellPatterns) {
    ScanRules rules;
    rules.ExcludedFolders = {".git", "cache*", "[Bb]uild"};
    rules.JunkFiles = {"Thumbs.db", "*.tmp"};
    EXPECT_TRUE(rules.IsExcludedFolder(".git"));
    EXPECT_TRUE(rules.IsExcludedFolder("cache-2"));
    EXPECT_TRUE(rules.IsExcludedFolder("build"));
    EXPECT_FALSE(rules.IsExcludedFolder("BUILD"));
    EXPECT_FALSE(rules.IsExcludedFolder("a.git"));
    EXPECT_TRUE(rules.IsJunkFile(".hidden.tmp"));
    EXPECT_FALSE(rules.IsJunkFile("thumbs.db"));
    EXPECT_FALSE(ScanRules{}.Any());
    EXPECT_TRUE(rules.Any());
}

// Each rule alone and all of them together, against the reference walk that
// applies the same rules, whatever the threads and held folders.
TEST(ScanRules, WalkMatchesTheReferenceOnRandomTrees) {
    ScanRules exclusions = Plain();
    exclusions.ExcludedFolders = {".git*", "cache[0-3]"};
    ScanRules junk = Plain();
    junk.JunkFiles = {"Thumbs.db", "*.tmp", ".DS_Store"};
    ScanRules age = Plain();
    age.MinimumAge = 24h;
    ScanRules all = exclusions;
    all.JunkFiles = junk.JunkFiles;
    all.MinimumAge = age.MinimumAge;
    all.OneFileSystem = true;
    const ScanRules ruleSets[] = {Plain(), exclusions, junk, age, all};
    const struct {
        unsigned threads;
        std::size_t budget;
    } settings[] = {{1, 0}, {4, 0}, {3, 2}};
    std::mt19937 random(20261210);
    for (int round = 0; round < 12; ++round) {
        TestDir dir;
        BuildRandomTree(dir, random);
        for (std::size_t set = 0; set < std::size(ruleSets); ++set) {
            const auto expected =
                test::ReferenceEmptyFolders(dir.Root(), ReferenceOf(ruleSets[set]));
            for (const auto& setting : settings) {
                SCOPED_TRACE("round " + std::to_string(round) + ", rule set " +
                             std::to_string(set) + ", " + std::to_string(setting.threads) +
                             " threads, budget " + std::to_string(setting.budget));
                ScanOptions options;
                options.Rules = ruleSets[set];
                options.Threads = setting.threads;
                options.OpenFolderBudget = setting.budget;
                ASSERT_EQ(Walked(dir.Root(), options), expected);
            }
        }
    }
}

TEST(ScanRules, ExcludedFolderIsNeitherEnteredNorListedAndKeepsItsParents) {
    TestDir dir;
    dir.MakeFolders("project/.git/refs/heads");
    dir.MakeFolders("project/src/empty");
    dir.MakeFolders("deep/a/b/.git");
    ScanRules rules;
    rules.ExcludedFolders = {".git"};
    EXPECT_EQ(Relative(dir, Walked(dir, rules)),
              (std::vector<std::string>{"project/src/empty", "project/src"}));
    EXPECT_EQ(Relative(dir, Walked(dir, Plain())).size(), 11U);
}

// A pattern with a separator matches the whole path, "*" crossing separators,
// as users of other tools write it; the others still match names alone.
TEST(ScanRules, PatternsWithASeparatorMatchWholePaths) {
    TestDir dir;
    dir.MakeFolders("repo/.git/refs/heads");
    dir.MakeFolders("home/u/.cache/x");
    dir.MakeFolders("home/u/keep");
    dir.MakeFolders("x/.cache");
    ScanRules rules = Plain();
    // A trailing separator names the folder itself.
    rules.ExcludedFolders = {"*/.git/*", dir.Root() + "/home/*/.cache/"};
    auto listed = Relative(dir, Walked(dir, rules));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"home/u/keep", "x", "x/.cache"}));
}

TEST(ScanRules, JunkFilesCountOnlyWhenTheyAreRegularFiles) {
    TestDir dir;
    dir.MakeFile("junk/Thumbs.db");
    dir.MakeFile("junk/sub/.DS_Store");
    dir.MakeFile("mixed/Thumbs.db");
    dir.MakeFile("mixed/photo.jpg", "jpeg");
    dir.MakeLink("linked/Thumbs.db", "/");
    dir.MakeFolders("named/Thumbs.db");
    ::mkfifo(dir.Path("named/desktop.ini").c_str(), 0600);
    ScanRules rules;
    for (const auto name : CommonJunkFiles()) {
        rules.JunkFiles.emplace_back(name);
    }
    // A folder with a junk name is a folder like any other; a pipe is content.
    EXPECT_EQ(Relative(dir, Walked(dir, rules)),
              (std::vector<std::string>{"junk/sub", "junk", "named/Thumbs.db"}));
    EXPECT_EQ(Relative(dir, Walked(dir, {})), (std::vector<std::string>{"named/Thumbs.db"}));
}

TEST(ScanRules, RecentFolderIsContentButItsOldSubFoldersAreNot) {
    TestDir dir;
    dir.MakeFolders("old/inner");
    dir.MakeFolders("new/inner");
    const std::time_t now = std::time(nullptr);
    for (const char* folder : {"old/inner", "old", "new/inner", "."}) {
        dir.SetModified(folder, now - DaysAgo(2));
    }
    dir.SetModified("new", now - 60);
    ScanRules rules;
    rules.MinimumAge = 1h;
    auto listed = Relative(dir, Walked(dir, rules));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"new/inner", "old", "old/inner"}));
    rules.MinimumAge = 30s;
    EXPECT_EQ(Relative(dir, Walked(dir, rules)).size(), 5U);
}

TEST(ScanRules, OneFileSystemStopsAtMountsOfEveryKind) {
    TestDir dir;
    TestDir outside;
    dir.MakeFolders("tmpfs");
    dir.MakeFolders("bound");
    dir.MakeFolders("plain/empty");
    outside.MakeFolders("inner/empty");
    const test::ScopedMount tmpfs("none", dir.Path("tmpfs"), "tmpfs", 0);
    if (!tmpfs.Mounted()) {
        GTEST_SKIP() << "mounting is not allowed here: " << tmpfs.Error();
    }
    // The same file system bound in once more: the device alone does not tell.
    const test::ScopedMount bound(outside.Root().c_str(), dir.Path("bound"), nullptr, MS_BIND);
    ASSERT_TRUE(bound.Mounted()) << bound.Error();
    ::mkdir(dir.Path("tmpfs/a").c_str(), 0700);
    ::mkdir(dir.Path("tmpfs/a/b").c_str(), 0700);

    // Mount points are kept by default; here they must be reached to be told apart.
    ScanRules rules = Plain();
    rules.OneFileSystem = true;
    EXPECT_EQ(Relative(dir, Walked(dir, rules)),
              (std::vector<std::string>{"plain/empty", "plain"}));
    EXPECT_EQ(Walked(dir, rules), test::ReferenceEmptyFolders(dir.Root(), ReferenceOf(rules)));
    EXPECT_EQ(Relative(dir, Walked(dir, Plain())),
              (std::vector<std::string>{"tmpfs/a/b", "tmpfs/a", "tmpfs", "bound/inner/empty",
                                        "bound/inner", "bound", "plain/empty", "plain", "."}));
    // A starting folder that is a mount is walked.
    ScanOptions fromMount;
    fromMount.Rules = rules;
    EXPECT_EQ(Walked(dir.Path("tmpfs"), fromMount).size(), 3U);
}
