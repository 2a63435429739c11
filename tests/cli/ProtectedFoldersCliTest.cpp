#include "CliRun.h"
#include "TestDir.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hollowsweep::test;

namespace {

constexpr const char* GitProgram = "/usr/bin/git";
constexpr const char* PythonProgram = "/usr/bin/python3";

// git in one folder, with an identity of its own and no user's settings.
ProgramResult Git(const std::string& folder, std::vector<std::string> arguments) {
    std::vector<std::string> all = {"-C", folder,
                                    "-c", "user.name=Test",
                                    "-c", "user.email=test@example.org",
                                    "-c", "init.defaultBranch=main",
                                    "-c", "protocol.file.allow=always"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunProgram(GitProgram, all);
}

void MustGit(const std::string& folder, std::vector<std::string> arguments) {
    const auto result = Git(folder, std::move(arguments));
    ASSERT_EQ(result.Status, 0) << result.Err;
}

std::string Error(const std::string& path, const std::string& reason) {
    return "hollowsweep-cli: " + path + ": " + reason + "\n";
}

} // namespace

// Repositories of every shape that leave folders empty on purpose, beside an
// ordinary empty folder; git itself tells afterwards whether they survived.
TEST(ProtectedFoldersCli, DeleteLeavesEveryRepositoryWorking) {
    if (::access(GitProgram, X_OK) != 0) {
        GTEST_SKIP() << "git is not installed";
    }
    TestDir dir;
    MustGit(dir.Root(), {"init", "-q", "packed"});
    MustGit(dir.Path("packed"), {"commit", "-q", "--allow-empty", "-m", "one"});
    MustGit(dir.Path("packed"), {"gc", "-q"});
    MustGit(dir.Root(), {"init", "-q", "fresh"});
    MustGit(dir.Root(), {"init", "-q", "--bare", "plainbare"});
    MustGit(dir.Root(), {"clone", "-q", "--bare", "packed", "mirror.git"});
    MustGit(dir.Root(), {"init", "-q", "outer"});
    MustGit(dir.Path("outer"), {"commit", "-q", "--allow-empty", "-m", "outer"});
    MustGit(dir.Path("outer"), {"init", "-q", "inner"});
    MustGit(dir.Root(), {"init", "-q", "super"});
    MustGit(dir.Path("super"), {"submodule", "add", "-q", "../packed", "libs/sub"});
    MustGit(dir.Path("super"), {"commit", "-q", "-m", "with a submodule"});
    // Without --recurse-submodules the submodule's folder is left empty.
    MustGit(dir.Root(), {"clone", "-q", "super", "clone"});
    ASSERT_TRUE(dir.Exists("clone/libs/sub"));
    dir.MakeFolders("plain/a");

    const auto result = Cli({"delete", dir.Root()});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, Lines({dir.Path("plain/a"), dir.Path("plain")}));

    for (const char* repository : {"packed", "fresh", "plainbare", "mirror.git", "outer/inner"}) {
        EXPECT_EQ(Git(dir.Path(repository), {"rev-parse", "--git-dir"}).Status, 0) << repository;
    }
    EXPECT_EQ(Git(dir.Path("packed"), {"log", "--format=%s"}).Out, "one\n");
    // A commit in the nested repository lands there, not in the one around it.
    MustGit(dir.Path("outer/inner"), {"commit", "-q", "--allow-empty", "-m", "inner"});
    EXPECT_EQ(Git(dir.Path("outer"), {"log", "--format=%s"}).Out, "outer\n");
    // The clone still knows its submodule: nothing to commit, no deletion.
    EXPECT_EQ(Git(dir.Path("clone"), {"status", "--porcelain"}).Out, "");
    EXPECT_TRUE(dir.Exists("clone/libs/sub"));
}

// A Maildir with nothing in it is still one that mail programs can use.
TEST(ProtectedFoldersCli, DeleteLeavesAnEmptyMaildirReadable) {
    if (::access(PythonProgram, X_OK) != 0) {
        GTEST_SKIP() << "python3 is not installed";
    }
    TestDir dir;
    for (const char* folder : {"Maildir/cur", "Maildir/new", "Maildir/tmp", "Maildir/.Sent/cur",
                               "Maildir/.Sent/new", "Maildir/.Sent/tmp", "old/empty"}) {
        dir.MakeFolders(folder);
    }
    const auto result = Cli({"delete", dir.Root()});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, Lines({dir.Path("old/empty"), dir.Path("old")}));
    const auto mail =
        RunProgram(PythonProgram, {"-c",
                                   "import mailbox, sys\n"
                                   "box = mailbox.Maildir(sys.argv[1], create=False)\n"
                                   "box.add('Subject: hello\\n\\nbody\\n')\n"
                                   "sent = box.get_folder('Sent')\n"
                                   "print(len(box), len(sent), box.list_folders())\n",
                                   dir.Path("Maildir")});
    EXPECT_EQ(mail.Status, 0) << mail.Err;
    EXPECT_EQ(mail.Out, "1 0 ['Sent']\n");
}

// What protection kept is named on request, and --no-protect lists it.
TEST(ProtectedFoldersCli, ListProtectedNamesWhatNoProtectWouldList) {
    TestDir dir;
    dir.MakeFolders("repo/.git/refs/heads");
    dir.MakeFile("repo/.git/HEAD", "ref: refs/heads/main\n");
    dir.MakeFolders("box/cur");
    dir.MakeFolders("box/new");
    dir.MakeFolders("box/tmp");
    dir.MakeFolders("plain");
    const auto kept = Cli({"scan", "--list-protected", dir.Root()});
    EXPECT_EQ(kept.Status, 0) << kept.Err;
    EXPECT_EQ(SortedLines(kept.Out),
              SortedLines(Lines({dir.Path("repo/.git/refs/heads") + "\tversion control data",
                                 dir.Path("repo/.git/refs") + "\tversion control data",
                                 dir.Path("box/cur") + "\tmail folder",
                                 dir.Path("box/new") + "\tmail folder",
                                 dir.Path("box/tmp") + "\tmail folder"})));
    EXPECT_EQ(Cli({"scan", dir.Root()}).Out, Lines({dir.Path("plain")}));
    EXPECT_EQ(SortedLines(Cli({"scan", "--no-protect", dir.Root()}).Out),
              SortedLines(Lines({dir.Path("repo/.git/refs/heads"), dir.Path("repo/.git/refs"),
                                 dir.Path("box/cur"), dir.Path("box/new"), dir.Path("box/tmp"),
                                 dir.Path("box"), dir.Path("plain")})));
    for (const auto& misuse : {std::vector<std::string>{"scan", "--list-protected", "--no-protect"},
                               std::vector<std::string>{"scan", "--list-protected", "-f", "csv"}}) {
        std::vector<std::string> arguments = misuse;
        arguments.push_back(dir.Root());
        EXPECT_EQ(Cli(arguments).Status, 2);
    }
}

// A reviewed list may still name what another program needs: it is refused
// with the reason, and the rest of the list is removed.
TEST(ProtectedFoldersCli, AListedProtectedFolderIsRefusedWithItsReason) {
    TestDir dir;
    dir.MakeFolders("repo/.git/refs/tags");
    dir.MakeFolders("data/lost+found");
    dir.MakeFolders("plain");
    dir.MakeFile("list", Lines({dir.Path("repo/.git/refs/tags"), dir.Path("data/lost+found"),
                                dir.Path("plain")}));
    const auto result = Cli({"delete", "--from", dir.Path("list"), dir.Root()});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out, Lines({dir.Path("plain")}));
    EXPECT_EQ(SortedLines(result.Err),
              SortedLines(Error(dir.Path("repo/.git/refs/tags"), "version control data") +
                          Error(dir.Path("data/lost+found"), "file system recovery folder")));
    EXPECT_TRUE(dir.Exists("repo/.git/refs/tags"));
    EXPECT_TRUE(dir.Exists("data/lost+found"));

    // Path patterns keep them out too, when protection is off.
    dir.MakeFolders("plain");
    const auto patterns = Cli({"delete", "-n", "--no-protect", "-e", "*/.git/*", "-e",
                               dir.Path("data/*"), "--from", dir.Path("list"), dir.Root()});
    EXPECT_EQ(patterns.Status, 1);
    EXPECT_EQ(patterns.Out, Lines({dir.Path("plain")}));
    EXPECT_EQ(SortedLines(patterns.Err),
              SortedLines(Error(dir.Path("repo/.git/refs/tags"), "excluded by path") +
                          Error(dir.Path("data/lost+found"), "excluded by path")));
}

// lost+found belongs to the file system's owner: a user who may not read it
// is told nothing about it, while any other folder that cannot be read is named.
TEST(ProtectedFoldersCli, AKeptFolderThatCannotBeReadIsNoFailure) {
    TestDir dir;
    dir.MakeFolders("disk/lost+found/#1234");
    dir.MakeFolders("disk/locked");
    dir.MakeFolders("disk/empty");
    const std::string cli = UnprivilegedCli(dir);
    GiveToUnprivileged(dir.Root());
    ::chmod(dir.Path("disk/lost+found").c_str(), 0);
    ::chmod(dir.Path("disk/locked").c_str(), 0);
    const auto scanned = RunProgram(cli, {"scan", dir.Path("disk")}, true);
    EXPECT_EQ(scanned.Status, 1);
    EXPECT_EQ(scanned.Out, Lines({dir.Path("disk/empty")}));
    EXPECT_EQ(scanned.Err, Error(dir.Path("disk/locked"), "Permission denied"));
}

// The machine's own package database: read only, so nothing is removed.
TEST(ProtectedFoldersCli, FoldersOfInstalledPackagesAreKept) {
    const auto kept = Cli({"scan", "--list-protected", "-q", "/usr", "/etc", "/var"});
    std::string owned;
    std::string package;
    for (const auto& line : SplitLines(kept.Out)) {
        const std::string reason = line.substr(line.find('\t') + 1);
        if (reason.starts_with("belongs to package ")) {
            owned = line.substr(0, line.find('\t'));
            package = reason.substr(std::string("belongs to package ").size());
            break;
        }
    }
    if (owned.empty()) {
        GTEST_SKIP() << "no installed package owns an empty folder here";
    }
    const auto query = RunProgram("/usr/bin/dpkg-query", {"-S", owned});
    EXPECT_NE(query.Out.find(package), std::string::npos) << query.Out;
    const auto listed = Cli({"scan", "-q", "/usr", "/etc", "/var"});
    EXPECT_EQ(listed.Out.find(owned + "\n"), std::string::npos);

    TestDir dir;
    dir.MakeFile("list", Lines({owned}));
    const auto refused = Cli({"delete", "-n", "--from", dir.Path("list"), "/"});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Out, "");
    EXPECT_EQ(refused.Err, Error(owned, "belongs to package " + package));
}
