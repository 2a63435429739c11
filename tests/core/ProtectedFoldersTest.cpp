#include "core/rules/ProtectedFolders.h"

#include "ScopedMount.h"
#include "TestDir.h"
#include "Unprivileged.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/MountTable.h"
#include "core/platform/PackageDatabase.h"
#include "core/scan/EmptyFolderScan.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <utility>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

namespace {

using Paths = std::vector<std::string>;

// What one scan listed and what it kept, as paths relative to the test folder,
// each kept one followed by its reason.
struct Outcome {
    Paths Listed;
    Paths Kept;
    std::uint64_t Scanned = 0;

    bool operator==(const Outcome& other) const {
        return Listed == other.Listed && Kept == other.Kept;
    }
};

std::string Relative(const TestDir& dir, std::string_view path) {
    if (path == dir.Root()) {
        return ".";
    }
    return std::string(path.substr(dir.Root().size() + 1));
}

Outcome Scan(const TestDir& dir, const std::string& folder, bool protect = true) {
    Outcome outcome;
    ScanOptions options;
    options.Rules.ProtectFolders = protect;
    options.Progress = [&outcome](std::uint64_t scanned) {
        outcome.Scanned = scanned;
    };
    options.Protected = [&](std::string_view path, const Protection& protection) {
        outcome.Kept.push_back(Relative(dir, path) + ": " + ProtectionReason(protection));
    };
    ForEachEmptyFolder(std::vector<std::string>{folder}, options, [&](const EmptyFolder& found) {
        outcome.Listed.push_back(Relative(dir, found.Path));
    });
    std::sort(outcome.Listed.begin(), outcome.Listed.end());
    std::sort(outcome.Kept.begin(), outcome.Kept.end());
    return outcome;
}

Outcome Scan(const TestDir& dir, bool protect = true) {
    return Scan(dir, dir.Root(), protect);
}

void MakeGitDirectory(const TestDir& dir, const std::string& path) {
    dir.MakeFile(path + "/HEAD", "ref: refs/heads/main\n");
    dir.MakeFolders(path + "/objects/info");
    dir.MakeFolders(path + "/refs/heads");
}

} // namespace

TEST(ProtectedFolders, SubmodulePathsAreReadAsGitReadsThem) {
    const struct {
        const char* name;
        const char* text;
        Paths expected;
    } cases[] = {
        {"plain", "[submodule \"lib\"]\n\tpath = lib\n\turl = ../lib\n", {"lib"}},
        {"nested, quoted, with a comment",
         "[submodule \"a\"]\n  path = \"third party/a\" # vendored\n[submodule \"b\"]\nPath=b/\n",
         {"third party/a", "b"}},
        {"escapes and dot steps", "[submodule \"c\"]\npath = ./x/\\\"q\\\"\n", {"x/\"q\""}},
        {"outside the work tree or absolute",
         "[submodule \"d\"]\npath = ../d\npath = /etc\npath = a/../../b\n",
         {}},
        {"another section", "[core]\npath = core\n[submodule]\npath = any\n", {"any"}},
        {"no section, unclosed quote, empty",
         "path = x\n[submodule \"e\"]\npath = \"e\npath =\n",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SubmodulePaths(c.text), c.expected);
    }
}

TEST(ProtectedFolders, MountTableGivesItsMountPoints) {
    TestDir dir;
    dir.MakeFile("fstab", "# <file system> <mount point> <type>\n"
                          "UUID=1 / ext4 errors=remount-ro 0 1\n"
                          "  /dev/sdb1\t/srv/My\\040Disk  ext4 defaults 0 2\n"
                          "/dev/sdc1 none swap sw 0 0\n"
                          "/swapfile swap swap defaults 0 0\n"
                          "proc /proc proc defaults\n"
                          "broken-line\n");
    EXPECT_EQ(MountTablePoints(dir.Path("fstab")), (Paths{"/", "/srv/My Disk", "/proc"}));
    EXPECT_TRUE(MountTablePoints(dir.Path("missing")).empty());
}

// Each kind beside an ordinary empty folder, which must still be listed.
TEST(ProtectedFolders, KeptFoldersAreNotListedAndKeepTheFoldersHoldingThem) {
    const struct {
        const char* name;
        std::function<void(const TestDir&)> build;
        Paths kept;
    } cases[] = {
        {"a repository's .git",
         [](const TestDir& d) { d.MakeFolders("project/.git/refs/heads"); },
         {"project/.git/refs/heads: version control data",
          "project/.git/refs: version control data", "project/.git: version control data"}},
        {"other version control",
         [](const TestDir& d) {
             for (const char* name : {".hg", ".svn", ".bzr", "_darcs"}) {
                 d.MakeFolders(std::string("project/") + name);
             }
         },
         {"project/.bzr: version control data", "project/.hg: version control data",
          "project/.svn: version control data", "project/_darcs: version control data"}},
        {"a bare repository of any name",
         [](const TestDir& d) { MakeGitDirectory(d, "mirror.of.x"); },
         {"mirror.of.x/objects/info: version control data",
          "mirror.of.x/objects: version control data",
          "mirror.of.x/refs/heads: version control data",
          "mirror.of.x/refs: version control data"}},
        {"a Maildir",
         [](const TestDir& d) {
             for (const char* name : {"cur", "new", "tmp"}) {
                 d.MakeFolders(std::string("Mail/.Sent/") + name);
             }
         },
         {"Mail/.Sent/cur: mail folder", "Mail/.Sent/new: mail folder",
          "Mail/.Sent/tmp: mail folder"}},
        {"a database cluster",
         [](const TestDir& d) {
             d.MakeFile("pgdata/PG_VERSION", "15\n");
             d.MakeFolders("pgdata/pg_notify");
             d.MakeFolders("pgdata/pg_wal/archive_status");
         },
         {"pgdata/pg_notify: database files", "pgdata/pg_wal/archive_status: database files",
          "pgdata/pg_wal: database files"}},
        {"lost+found",
         [](const TestDir& d) { d.MakeFolders("disk/lost+found"); },
         {"disk/lost+found: file system recovery folder"}},
        {"a submodule placeholder",
         [](const TestDir& d) {
             MakeGitDirectory(d, "work/.git");
             d.MakeFile("work/.gitmodules", "[submodule \"s\"]\n\tpath = libs/s\n");
             d.MakeFolders("work/libs/s");
         },
         {"work/.git/objects/info: version control data", "work/.git/objects: version control data",
          "work/.git/refs/heads: version control data", "work/.git/refs: version control data",
          "work/libs/s: git submodule"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestDir dir;
        c.build(dir);
        dir.MakeFolders("ordinary/empty");
        const Outcome outcome = Scan(dir);
        EXPECT_EQ(outcome.Listed, (Paths{"ordinary", "ordinary/empty"}));
        EXPECT_EQ(outcome.Kept, c.kept);
        // Without protection every one of them is listed.
        const Outcome plain = Scan(dir, false);
        EXPECT_TRUE(plain.Kept.empty());
        for (const auto& kept : c.kept) {
            const std::string path = kept.substr(0, kept.find(": "));
            EXPECT_TRUE(std::binary_search(plain.Listed.begin(), plain.Listed.end(), path)) << path;
        }
    }
}

// Names and markers only count where the whole rule holds.
TEST(ProtectedFolders, LookalikesAreOrdinaryFolders) {
    TestDir dir;
    dir.MakeFolders("mail/cur");
    dir.MakeFolders("mail/new");
    dir.MakeFolders("notbare/objects");
    dir.MakeFolders("notbare/refs");
    dir.MakeFolders("notbare/HEAD");
    dir.MakeFile("exported/.gitmodules", "[submodule \"s\"]\npath = s\n");
    dir.MakeFolders("exported/s");
    dir.MakeFolders("git");
    const Outcome outcome = Scan(dir);
    EXPECT_TRUE(outcome.Kept.empty());
    EXPECT_EQ(outcome.Listed, (Paths{"exported/s", "git", "mail", "mail/cur", "mail/new", "notbare",
                                     "notbare/HEAD", "notbare/objects", "notbare/refs"}));
}

// A folder named inside protected data is judged from the folders above it.
TEST(ProtectedFolders, AStartingFolderInsideProtectedDataIsKeptWhole) {
    TestDir dir;
    MakeGitDirectory(dir, "bare");
    dir.MakeFolders("Maildir/cur/sub");
    dir.MakeFolders("Maildir/new");
    dir.MakeFolders("Maildir/tmp");
    EXPECT_EQ(Scan(dir, dir.Path("bare/refs")), (Outcome{{},
                                                         {"bare/refs/heads: version control data",
                                                          "bare/refs: version control data"}}));
    EXPECT_EQ(Scan(dir, dir.Path("Maildir/cur")),
              (Outcome{{}, {"Maildir/cur/sub: mail folder", "Maildir/cur: mail folder"}}));
    EXPECT_EQ(Scan(dir, dir.Path("bare/refs"), false).Listed,
              (Paths{"bare/refs", "bare/refs/heads"}));

    // A submodule that a work tree above the starting folder names.
    MakeGitDirectory(dir, "work/.git");
    dir.MakeFile("work/.gitmodules", "[submodule \"s\"]\n\tpath = libs/deep/s\n");
    dir.MakeFolders("work/libs/deep/s");
    dir.MakeFolders("work/libs/other");
    EXPECT_EQ(Scan(dir, dir.Path("work/libs")),
              (Outcome{{"work/libs/other"}, {"work/libs/deep/s: git submodule"}}));
}

TEST(ProtectedFolders, AMountPointIsKeptAndWhatItHoldsIsScanned) {
    TestDir dir;
    dir.MakeFolders("mnt");
    const test::ScopedMount tmpfs("none", dir.Path("mnt"), "tmpfs", 0);
    if (!tmpfs.Mounted()) {
        GTEST_SKIP() << "mounting is not allowed here: " << tmpfs.Error();
    }
    dir.MakeFolders("mnt/a/b");
    EXPECT_EQ(Scan(dir), (Outcome{{"mnt/a", "mnt/a/b"}, {"mnt: mount point"}}));
    EXPECT_EQ(Scan(dir, dir.Path("mnt")), (Outcome{{"mnt/a", "mnt/a/b"}, {"mnt: mount point"}}));
}

// The machine's own mount table is left alone: the child process sees a test
// table over it, in a mount namespace of its own.
TEST(ProtectedFolders, MountPointsInTheMountTableAreKept) {
    TestDir dir;
    dir.MakeFolders("data");
    dir.MakeFolders("other");
    dir.MakeFile("fstab", "/dev/sdz1 " + dir.Path("data") + " ext4 defaults 0 2\n");
    const auto privateTable = [&dir] {
        return ::unshare(CLONE_NEWNS) == 0 &&
               ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               ::mount(dir.Path("fstab").c_str(), "/etc/fstab", nullptr, MS_BIND, nullptr) == 0;
    };
    std::string kept;
    try {
        kept = test::RunInChild(privateTable, [&dir] {
            const Outcome outcome = Scan(dir);
            std::string text;
            for (const auto& path : outcome.Listed) {
                text += "listed " + path + "\n";
            }
            for (const auto& path : outcome.Kept) {
                text += "kept " + path + "\n";
            }
            return text;
        });
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "no mount namespace can be made here";
    }
    EXPECT_EQ(kept, "listed other\nkept data: mount point\n");
}

// dpkg lists a folder by the path its package ships; with /usr merged,
// /lib is a link and the folder's own path is /usr/lib/....
TEST(ProtectedFolders, PackageFoldersAreFoundThroughTheRootsLinks) {
    TestDir admin;
    admin.MakeFile("info/libexample1:amd64.list",
                   "/.\n/lib\n/lib/example\n/lib/example/plugins\n/usr/share/example\n");
    admin.MakeFile("info/other.list", "/usr/share/example\n");
    admin.MakeFile("info/notes.md5sums", "/usr/share/ignored\n");
    const PackageDatabase packages(admin.Root());
    EXPECT_EQ(packages.OwnerOf("/usr/share/example"), "libexample1");
    EXPECT_EQ(packages.OwnerOf("/lib/example/plugins"), "libexample1");
    EXPECT_EQ(packages.OwnerOf("/"), "libexample1");
    EXPECT_EQ(packages.OwnerOf("/usr/share/ignored"), std::nullopt);
    EXPECT_EQ(packages.OwnerOf("/usr/share"), std::nullopt);
    if (CanonicalPath("/lib") != "/usr/lib") {
        GTEST_SKIP() << "/usr is not merged here";
    }
    EXPECT_EQ(packages.OwnerOf("/usr/lib/example/plugins"), "libexample1");
}

TEST(ProtectedFolders, SystemFileSystemsAreEnteredOnlyWhenNamed) {
    TestDir dir;
    dir.MakeFolders("proc");
    dir.MakeFolders("empty");
    const test::ScopedMount proc("proc", dir.Path("proc"), "proc", 0);
    if (!proc.Mounted()) {
        GTEST_SKIP() << "mounting is not allowed here: " << proc.Error();
    }
    const Outcome outcome = Scan(dir);
    EXPECT_EQ(outcome.Listed, (Paths{"empty"}));
    EXPECT_TRUE(outcome.Kept.empty());
    // The test folder, the two folders in it, and nothing below the mount.
    EXPECT_EQ(outcome.Scanned, 3U);
    EXPECT_GT(Scan(dir, dir.Path("proc/self")).Scanned, 3U);
}

// What shows at a mount point is what was mounted there last; a system file
// system named as a folder is walked whatever else is named with it.
TEST(ProtectedFolders, OnlyTheTopmostMountDecidesAndANamedOneIsWalked) {
    TestDir dir;
    dir.MakeFolders("covered");
    dir.MakeFolders("sys");
    const test::ScopedMount proc("proc", dir.Path("covered"), "proc", 0);
    if (!proc.Mounted()) {
        GTEST_SKIP() << "mounting is not allowed here: " << proc.Error();
    }
    const test::ScopedMount disk("none", dir.Path("covered"), "tmpfs", 0);
    ASSERT_TRUE(disk.Mounted()) << disk.Error();
    dir.MakeFolders("covered/empty");
    const test::ScopedMount sysfs("sysfs", dir.Path("sys"), "sysfs", 0);
    ASSERT_TRUE(sysfs.Mounted()) << sysfs.Error();
    EXPECT_EQ(Scan(dir), (Outcome{{"covered/empty"}, {"covered: mount point"}}));

    // Named after the folder holding it, or before it: walked either way.
    const std::string named = dir.Path("sys/kernel");
    for (const auto& folders : {std::vector<std::string>{dir.Root(), named},
                                std::vector<std::string>{named, dir.Root()}}) {
        std::uint64_t scanned = 0;
        ScanOptions options;
        // The count goes on across the folders.
        options.Progress = [&scanned](std::uint64_t count) {
            scanned = count;
        };
        ForEachEmptyFolder(folders, options, [](const EmptyFolder&) {});
        EXPECT_GT(scanned, 10U);
    }
}
