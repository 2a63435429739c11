#include "CliRun.h"
#include "TestDir.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace hollowsweep::test;
namespace fs = std::filesystem;

namespace {

std::string Refused(const std::string& path, const std::string& reason) {
    return "hollowsweep-cli: " + path + ": " + reason + "\n";
}

std::string Outside(const std::string& path) {
    return "hollowsweep-cli: " + path + ": not inside the folders given\n";
}

} // namespace

// The user scans, reviews the list, and removes exactly what is left in it.
TEST(Delete, FromAReviewedListRemovesExactlyTheListedFoldersInsideTheFolders) {
    TestDir dir;
    dir.MakeFolders("tree/a/b/c");
    dir.MakeFolders("tree/kept");
    dir.MakeFile("tree/docs/readme.txt");
    dir.MakeFolders("tree/docs/empty");
    dir.MakeFolders("elsewhere/x");
    dir.MakeFile("list", Lines({dir.Path("tree/a/b/c"), dir.Path("tree/docs/empty"), "",
                                dir.Path("tree/a/b"), dir.Path("elsewhere/x"),
                                dir.Path("tree/../elsewhere/x")}));
    const std::string listed =
        Lines({dir.Path("tree/a/b/c"), dir.Path("tree/a/b"), dir.Path("tree/docs/empty")});
    const auto dryRun = Cli({"delete", "-n", "--from", dir.Path("list"), dir.Path("tree")});
    EXPECT_EQ(SortedLines(dryRun.Out), SortedLines(listed));
    EXPECT_TRUE(dir.Exists("tree/a/b/c"));

    const auto result = Cli({"delete", "--from", dir.Path("list"), dir.Path("tree")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(SortedLines(result.Out), SortedLines(listed));
    EXPECT_TRUE(ChildrenFirst(result.Out));
    EXPECT_EQ(SortedLines(result.Err), SortedLines(Outside(dir.Path("elsewhere/x")) +
                                                   Outside(dir.Path("tree/../elsewhere/x"))));
    for (const char* kept : {"tree/a", "tree/kept", "elsewhere/x", "tree/docs/readme.txt"}) {
        EXPECT_TRUE(dir.Exists(kept)) << kept;
    }
}

TEST(Delete, FromStandardInputAndNulSeparatedNamesWithLineFeeds) {
    TestDir dir;
    dir.MakeFolders("tree/two\nlines/inner");
    dir.MakeFile("tree/keep");
    const auto listed = Cli({"scan", "-0", dir.Path("tree")});
    ASSERT_EQ(listed.Out,
              Lines({dir.Path("tree/two\nlines/inner"), dir.Path("tree/two\nlines")}, '\0'));
    dir.MakeFile("list", listed.Out);
    const auto result =
        RunProgram("/bin/sh", {"-c", std::string("\"$0\" delete -0 --from - \"$1\" < \"$2\""),
                               HOLLOWSWEEP_CLI, dir.Path("tree"), dir.Path("list")});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, listed.Out);
    EXPECT_FALSE(dir.Exists("tree/two\nlines"));
}

// The scan's list is written, the tree changes under it, then the list is
// removed: nothing outside the tree goes, and each folder is named with what
// is there now (the list alone does not say that a scan made it).
TEST(Delete, FromAListAfterAParentWasSwappedRemovesNothingOutside) {
    const struct {
        const char* name;
        const char* reason;
        std::function<void(const TestDir&)> swap;
    } cases[] = {
        {"for a link", "leads through a link, which is not followed",
         [](const TestDir& d) {
             fs::rename(d.Path("tree/A"), d.Path("tree/moved"));
             d.MakeLink("tree/A", d.Path("outside"));
         }},
        {"for a file", "not a folder",
         [](const TestDir& d) {
             fs::remove_all(d.Path("tree/A"));
             d.MakeFile("tree/A");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDir dir;
        dir.MakeFolders("tree/A/x/y");
        dir.MakeFile("tree/keep");
        dir.MakeFolders("outside/x/y");
        dir.MakeFile("list", Cli({"scan", dir.Path("tree")}).Out);
        c.swap(dir);
        const auto result = Cli({"delete", "--from", dir.Path("list"), dir.Path("tree")});
        EXPECT_EQ(result.Status, 1);
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(SortedLines(result.Err), SortedLines(Refused(dir.Path("tree/A/x/y"), c.reason) +
                                                       Refused(dir.Path("tree/A/x"), c.reason) +
                                                       Refused(dir.Path("tree/A"), c.reason)));
        EXPECT_TRUE(dir.Exists("outside/x/y"));
    }
}

TEST(Delete, StartingFolderNamedThroughALinkOrDotDot) {
    TestDir dir;
    dir.MakeFolders("real/x");
    dir.MakeLink("link", dir.Path("real"));
    const auto throughLink = Cli({"delete", dir.Path("link")});
    EXPECT_EQ(throughLink.Status, 1);
    EXPECT_EQ(throughLink.Out, Lines({dir.Path("link/x")}));
    EXPECT_EQ(throughLink.Err,
              "hollowsweep-cli: " + dir.Path("link") + ": named through a link, which is kept\n");
    EXPECT_TRUE(dir.Exists("real"));
    EXPECT_FALSE(dir.Exists("real/x"));

    dir.MakeFolders("p/a");
    const auto dotDot = Cli({"delete", dir.Path("p/a/..")});
    EXPECT_EQ(dotDot.Status, 0) << dotDot.Err;
    EXPECT_EQ(dotDot.Out, Lines({dir.Path("p/a/../a"), dir.Path("p/a/..")}));
    EXPECT_FALSE(dir.Exists("p"));
}

// Ctrl-C while folders are being removed: those in flight finish, every
// removal is printed as a whole line, and the exit status says so.
TEST(Delete, InterruptPrintsEveryRemovedFolderWholeAndExitsWith130) {
    // Several times the pipe's capacity of output.
    constexpr int Groups = 8;
    constexpr int PerGroup = 500;
    TestDir dir;
    for (int group = 0; group < Groups; ++group) {
        for (int folder = 0; folder < PerGroup; ++folder) {
            fs::create_directories(
                dir.Path("tree/g" + std::to_string(group) + "/f" + std::to_string(folder)));
        }
    }
    dir.MakeFile("tree/keep");
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(HOLLOWSWEEP_CLI, HOLLOWSWEEP_CLI, "delete", "-q", dir.Path("tree").c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    // Output comes only once removal runs; unread, it soon fills the pipe and
    // holds the removal up, so the interrupt surely lands in the middle.
    std::string printed(1, '\0');
    ASSERT_EQ(::read(out[0], printed.data(), 1), 1);
    ::usleep(100'000);
    ::kill(child, SIGINT);
    char buffer[65536];
    for (ssize_t bytes; (bytes = ::read(out[0], buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, static_cast<std::size_t>(bytes));
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    ASSERT_TRUE(printed.ends_with('\n'));
    const auto lines = SplitLines(printed);
    EXPECT_GT(lines.size(), 0U);
    EXPECT_LT(lines.size(), static_cast<std::size_t>(Groups * (PerGroup + 1)));
    // Exactly the printed folders are gone.
    std::set<std::string> gone;
    for (int group = 0; group < Groups; ++group) {
        const std::string groupPath = "tree/g" + std::to_string(group);
        for (int folder = 0; folder < PerGroup; ++folder) {
            const std::string path = groupPath + "/f" + std::to_string(folder);
            if (!dir.Exists(path)) {
                gone.insert(dir.Path(path));
            }
        }
        if (!dir.Exists(groupPath)) {
            gone.insert(dir.Path(groupPath));
        }
    }
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), gone);
    EXPECT_TRUE(dir.Exists("tree/keep"));
}

TEST(Delete, OverlappingFoldersRemoveEachEmptyFolderOnce) {
    TestDir dir;
    dir.MakeFolders("tree/a/b/c");
    dir.MakeFolders("tree/d");
    dir.MakeFile("tree/keep");
    const auto result =
        Cli({"delete", dir.Path("tree/a/b"), dir.Path("tree"), dir.Path("tree/a") + "/"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(SortedLines(result.Out),
              SortedLines(Lines({dir.Path("tree/a/b/c"), dir.Path("tree/a/b"), dir.Path("tree/a"),
                                 dir.Path("tree/d")})));
    EXPECT_TRUE(ChildrenFirst(result.Out)) << result.Out;
    EXPECT_EQ(result.Err, "");
}

// Folders of one starting folder reported in two runs, a starting folder whose
// spelled parent lies below it, and a list with doubled separators: each
// folder is still handled once, after the folders below it.
TEST(Delete, OddlyNamedAndInterleavedFoldersAreEachRemovedOnce) {
    TestDir dir;
    dir.MakeFolders("w/x/y");
    dir.MakeFolders("w/a/b/e");
    dir.MakeFolders("w/a/b/c/c/c/c/c/c/c/c");
    dir.MakeFile("w/keep");
    const auto interleaved =
        Cli({"delete", "-j", "16", dir.Path("w/a/b/c"), dir.Path("w/x"), dir.Path("w/a")});
    EXPECT_EQ(interleaved.Status, 0) << interleaved.Err;
    EXPECT_FALSE(dir.Exists("w/a"));
    EXPECT_FALSE(dir.Exists("w/x"));

    dir.MakeFolders("w/z/sub");
    const auto throughItself = Cli({"delete", dir.Path("w/z/sub/../../z")});
    EXPECT_EQ(throughItself.Status, 0) << throughItself.Err;
    EXPECT_FALSE(dir.Exists("w/z"));

    dir.MakeFolders("w/p/q/r");
    dir.MakeFile("list", Lines({dir.Path("w/p/q//r"), dir.Path("w/p/q"), dir.Path("w//p/q/r/")}));
    const auto doubled = Cli({"delete", "--from", dir.Path("list"), dir.Path("w")});
    EXPECT_EQ(doubled.Status, 0) << doubled.Err;
    EXPECT_EQ(SortedLines(doubled.Out),
              SortedLines(Lines({dir.Path("w/p/q/r"), dir.Path("w/p/q")})));
    EXPECT_TRUE(dir.Exists("w/p"));
    EXPECT_TRUE(dir.Exists("w/keep"));
}

// A list says what it names in the words that fit: a file is no folder, a
// "." step or another spelling of a FOLDER's path still lies inside it, and
// a list of lines holding NUL bytes was meant for -0.
TEST(Delete, AListIsReadAsTheUserMeantIt) {
    TestDir dir;
    dir.MakeFolders("tree/a");
    dir.MakeFolders("tree/b");
    dir.MakeFile("tree/file.txt");
    const std::string relativeTree = fs::relative(dir.Path("tree")).string();
    dir.MakeFile("list",
                 Lines({dir.Path("tree/file.txt"), dir.Path("tree/./a"), dir.Path("tree/b")}));
    const auto result = Cli({"delete", "--from", dir.Path("list"), relativeTree});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(SortedLines(result.Out),
              SortedLines(Lines({relativeTree + "/a", relativeTree + "/b"})));
    EXPECT_EQ(result.Err, "hollowsweep-cli: " + relativeTree + "/file.txt: not a folder\n");
    EXPECT_FALSE(dir.Exists("tree/a"));

    // A link below the FOLDER is not followed to another spelling of it.
    dir.MakeFolders("tree/bob/a");
    dir.MakeLink("tree/alice", dir.Path("tree/bob"));
    dir.MakeFile("linked-list", Lines({dir.Path("tree/alice/a")}));
    const auto linked = Cli({"delete", "--from", dir.Path("linked-list"), relativeTree});
    EXPECT_EQ(linked.Out, "");
    EXPECT_TRUE(dir.Exists("tree/bob/a"));

    dir.MakeFolders("tree/c");
    dir.MakeFile("nul-list", Lines({dir.Path("tree/c")}, '\0'));
    const auto unsplit = Cli({"delete", "--from", dir.Path("nul-list"), dir.Path("tree")});
    EXPECT_EQ(unsplit.Status, 2);
    EXPECT_EQ(unsplit.Err, "hollowsweep-cli: " + dir.Path("nul-list") +
                               ": holds NUL bytes: read a NUL-separated list with -0 (--null)\n");
    EXPECT_TRUE(dir.Exists("tree/c"));
}

// As find, which follows no link unless asked to: a FOLDER named through a
// link that another user owns is refused; the caller's own link is followed.
TEST(Delete, AFolderNamedThroughAnotherUsersLinkIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a link to another user needs root";
    }
    TestDir dir;
    dir.MakeFolders("target/empty");
    dir.MakeFile("target/keep");
    dir.MakeLink("share", dir.Path("target"));
    ASSERT_EQ(::lchown(dir.Path("share").c_str(), 65534, 65534), 0);
    const auto refused = Cli({"delete", dir.Path("share")});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Err, "hollowsweep-cli: " + dir.Path("share") +
                               ": leads through a link another user owns, " + dir.Path("share") +
                               "; name the folder it leads to instead\n");
    EXPECT_TRUE(dir.Exists("target/empty"));
    // Reached through a link of root's own, it is refused all the same.
    dir.MakeLink("www", dir.Path("share"));
    const auto through = Cli({"delete", dir.Path("www/empty")});
    EXPECT_EQ(through.Status, 2);
    EXPECT_TRUE(dir.Exists("target/empty"));
    ASSERT_EQ(::lchown(dir.Path("share").c_str(), 0, 0), 0);
    const auto followed = Cli({"delete", dir.Path("share")});
    EXPECT_EQ(followed.Status, 0) << followed.Err;
    EXPECT_FALSE(dir.Exists("target/empty"));
}
