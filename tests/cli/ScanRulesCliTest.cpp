#include "CliRun.h"
#include "RunProgram.h"
#include "TestDir.h"
#include "Unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace hollowsweep::test;

TEST(ScanRulesCli, RulesSteerScanAndDeleteAlike) {
    TestDir dir;
    dir.MakeFolders("tree/repo/.git/refs");
    dir.MakeFile("tree/photos/Thumbs.db", "thumbs");
    dir.MakeFile("tree/notes/todo.txt", "todo");
    dir.MakeFile("tree/notes/desktop.ini", "ini");
    dir.MakeFolders("tree/fresh");
    dir.MakeFolders("tree/stale");
    const std::time_t now = std::time(nullptr);
    for (const char* folder : {"tree/repo/.git/refs", "tree/repo/.git", "tree/repo", "tree/photos",
                               "tree/notes", "tree/stale", "tree"}) {
        dir.SetModified(folder, now - 3L * 86400);
    }
    const std::vector<std::string> rules = {"-e", ".git", "--junk-common", "--older-than", "1d"};
    auto scan = std::vector<std::string>{"scan", "-q"};
    scan.insert(scan.end(), rules.begin(), rules.end());
    scan.push_back(dir.Path("tree"));
    const auto listed = Cli(scan);
    EXPECT_EQ(listed.Status, 0) << listed.Err;
    EXPECT_EQ(SortedLines(listed.Out),
              SortedLines(Lines({dir.Path("tree/photos"), dir.Path("tree/stale")})));

    auto remove = scan;
    remove[0] = "delete";
    const auto removed = Cli(remove);
    EXPECT_EQ(removed.Status, 0) << removed.Err;
    EXPECT_EQ(SortedLines(removed.Out), SortedLines(listed.Out));
    EXPECT_FALSE(dir.Exists("tree/photos"));
    EXPECT_TRUE(dir.Exists("tree/repo/.git/refs"));
    EXPECT_TRUE(dir.Exists("tree/notes/desktop.ini"));
    EXPECT_TRUE(dir.Exists("tree/fresh"));
}

TEST(ScanRulesCli, BadRuleArgumentsAreUsageErrors) {
    TestDir dir;
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"scan", "--older-than", "7", dir.Root()},
             {"delete", "--older-than", "1w", dir.Root()},
             {"scan", dir.Root(), "--exclude"},
         }) {
        const auto result = Cli(arguments);
        EXPECT_EQ(result.Status, 2) << arguments[1];
        EXPECT_EQ(result.Out, "");
        EXPECT_TRUE(result.Err.starts_with("hollowsweep-cli: ")) << result.Err;
    }
    EXPECT_NE(Cli({"scan", "--older-than", "7", dir.Root()}).Err.find("\"7\" is not an age"),
              std::string::npos);
}

// Like find: every folder that could not be read is named with the reason,
// the rest is done, and the exit status tells.
TEST(ScanRulesCli, UnreadableFoldersAreNamedAndMakeTheExitStatusOne) {
    TestDir dir;
    dir.MakeFolders("tree/locked/inner");
    dir.MakeFolders("tree/free");
    const std::string cli = UnprivilegedCli(dir);
    GiveToUnprivileged(dir.Root());
    ::chmod(dir.Path("tree/locked").c_str(), 0);
    const std::string expectedError =
        "hollowsweep-cli: " + dir.Path("tree/locked") + ": Permission denied\n";

    const auto scanned = RunProgram(cli, {"scan", dir.Path("tree")}, true);
    EXPECT_EQ(scanned.Status, 1);
    EXPECT_EQ(scanned.Out, Lines({dir.Path("tree/free")}));
    EXPECT_EQ(scanned.Err, expectedError);

    const auto exported = RunProgram(cli, {"scan", "-f", "csv", dir.Path("tree")}, true);
    EXPECT_EQ(exported.Status, 1);
    EXPECT_EQ(exported.Err, expectedError);

    const auto removed = RunProgram(cli, {"delete", dir.Path("tree")}, true);
    EXPECT_EQ(removed.Status, 1);
    EXPECT_EQ(removed.Out, Lines({dir.Path("tree/free")}));
    EXPECT_EQ(removed.Err, expectedError);
    EXPECT_TRUE(dir.Exists("tree/locked"));
}

// A tiny descriptor limit either leaves the whole answer or says what is
// missing: never part of it with success.
TEST(ScanRulesCli, LowDescriptorLimitNeverPassesOffPartOfTheListAsWhole) {
    TestDir dir;
    constexpr int Width = 300;
    for (int i = 0; i < Width; ++i) {
        dir.MakeFolders("wide/" + std::to_string(i) + "/inner");
    }
    const auto limited = [&](const std::vector<std::string>& options) {
        std::vector<std::string> arguments = {"--nofile=7:7", HOLLOWSWEEP_CLI, "scan", "-q"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.push_back(dir.Path("wide"));
        return RunProgram("/usr/bin/prlimit", arguments);
    };
    // By default the walk fits itself to the limit.
    const auto fitted = limited({});
    EXPECT_EQ(fitted.Status, 0) << fitted.Err;
    EXPECT_EQ(SplitLines(fitted.Out).size(), 2U * Width + 1);

    // So does a number of threads asked for: fewer run.
    const auto crowded = limited({"-j", "32"});
    if (!UnderSanitizers) {
        EXPECT_EQ(crowded.Status, 0) << crowded.Err;
        EXPECT_EQ(SplitLines(crowded.Out).size(), 2U * Width + 1);
    } else if (crowded.Status != 0) {
        // The sanitizers' own runtime needs descriptors too: the folders not
        // read are named, and nothing unread passes for empty.
        EXPECT_EQ(crowded.Status, 1);
        EXPECT_FALSE(crowded.Err.empty());
        EXPECT_LT(SplitLines(crowded.Out).size(), 2U * Width + 1);
    }
}

// A folder given inside one whose walk the rules keep out of is walked on its
// own, and removal judges it the same way, in either order of the arguments.
TEST(ScanRulesCli, FolderGivenInsideAnExcludedOneIsItsOwnStart) {
    for (const bool innerFirst : {false, true}) {
        SCOPED_TRACE(innerFirst ? "inner folder first" : "outer folder first");
        TestDir dir;
        dir.MakeFolders("root/.cache/x/y");
        dir.MakeFolders("root/plain");
        std::vector<std::string> folders = {dir.Path("root"), dir.Path("root/.cache/x")};
        if (innerFirst) {
            std::swap(folders[0], folders[1]);
        }
        std::vector<std::string> scan = {"scan", "-e", ".cache"};
        scan.insert(scan.end(), folders.begin(), folders.end());
        const auto listed = Cli(scan);
        EXPECT_EQ(listed.Status, 0) << listed.Err;
        EXPECT_EQ(SortedLines(listed.Out),
                  SortedLines(Lines({dir.Path("root/.cache/x/y"), dir.Path("root/.cache/x"),
                                     dir.Path("root/plain")})));
        scan[0] = "delete";
        const auto removed = Cli(scan);
        EXPECT_EQ(removed.Status, 0) << removed.Err;
        EXPECT_EQ(SortedLines(removed.Out), SortedLines(listed.Out));
        EXPECT_TRUE(dir.Exists("root/.cache"));
        EXPECT_FALSE(dir.Exists("root/.cache/x"));
    }
}

// A dry run of a list makes every check the removal makes.
TEST(ScanRulesCli, DryRunOfAListObeysTheRules) {
    TestDir dir;
    dir.MakeFolders("root/.cache/refs");
    dir.MakeFolders("root/new");
    dir.MakeFolders("root/old");
    const std::time_t now = std::time(nullptr);
    for (const char* folder : {"root/.cache/refs", "root/.cache", "root/old"}) {
        dir.SetModified(folder, now - 3L * 86400);
    }
    dir.MakeFile("list", Lines({dir.Path("root/.cache/refs"), dir.Path("root/.cache"),
                                dir.Path("root/new"), dir.Path("root/old")}));
    const auto result = Cli({"delete", "-n", "--from", dir.Path("list"), "-e", ".cache",
                             "--older-than", "1d", dir.Path("root")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out, Lines({dir.Path("root/old")}));
    EXPECT_EQ(SortedLines(result.Err),
              SortedLines(
                  Lines({"hollowsweep-cli: " + dir.Path("root/.cache/refs") + ": excluded by name",
                         "hollowsweep-cli: " + dir.Path("root/.cache") + ": excluded by name",
                         "hollowsweep-cli: " + dir.Path("root/new") + ": modified too recently"})));
    EXPECT_TRUE(dir.Exists("root/old"));
}
