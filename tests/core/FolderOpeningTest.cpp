#include "TestDir.h"
#include "core/platform/FolderPaths.h"
#include "core/scan/EmptyFolderScan.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace hollowsweep {
namespace {

using test::TestDir;

constexpr uid_t Nobody = 65534;

// Which folder a descriptor holds, by identity rather than by name.
ino_t InodeOf(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? status.st_ino : 0;
}

ino_t InodeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

TEST(FolderOpening, TheCallersOwnLinksAreFollowedAsTheSystemWould) {
    TestDir dir;
    dir.MakeFolders("target/inner");
    dir.MakeFile("target/file");
    dir.MakeLink("absolute", dir.Path("target"));
    dir.MakeLink("relative", "target/inner/..");
    dir.MakeLink("chain", "relative");
    dir.MakeLink("loop", "loop");
    dir.MakeLink("to-file", "target/file");
    struct Case {
        std::string Path;
        ino_t Expected;
        int Error;
    };
    const ino_t target = InodeOf(dir.Path("target"));
    const Case cases[] = {
        {dir.Path("absolute"), target, 0},
        {dir.Path("relative"), target, 0},
        {dir.Path("chain/inner/"), InodeOf(dir.Path("target/inner")), 0},
        {dir.Path("chain/inner/.."), target, 0},
        {dir.Path("loop"), 0, ELOOP},
        {dir.Path("to-file"), 0, ENOTDIR},
        {dir.Path("missing"), 0, ENOENT},
        {"", 0, ENOENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        errno = 0;
        const FileDescriptor fd = OpenFolderAt(AT_FDCWD, c.Path, LinkPolicy::FollowOwned);
        if (c.Error != 0) {
            EXPECT_FALSE(fd);
            EXPECT_EQ(errno, c.Error);
        } else {
            ASSERT_TRUE(fd);
            EXPECT_EQ(InodeOf(fd.Get()), c.Expected);
        }
    }
    ASSERT_EQ(::chdir(dir.Root().c_str()), 0);
    const FileDescriptor fromHere = OpenFolderAt(AT_FDCWD, "chain", LinkPolicy::FollowOwned);
    EXPECT_EQ(InodeOf(fromHere.Get()), target);
    EXPECT_EQ(CanonicalPathOf(fromHere.Get(), "chain"), dir.Path("target"));
    ASSERT_EQ(::chdir("/"), 0);
}

// Another user's link is refused wherever it lies on the path, also when an
// own link leads to it, and the scan names the refusal instead of following.
TEST(FolderOpening, AnotherUsersLinkIsNeverFollowed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a link to another user needs root";
    }
    TestDir dir;
    dir.MakeFolders("target/empty");
    dir.MakeLink("share", dir.Path("target"));
    ASSERT_EQ(::lchown(dir.Path("share").c_str(), Nobody, Nobody), 0);
    dir.MakeLink("own", "share");
    for (const std::string& path : {dir.Path("share"), dir.Path("own/empty")}) {
        SCOPED_TRACE(path);
        errno = 0;
        EXPECT_FALSE(OpenFolderAt(AT_FDCWD, path, LinkPolicy::FollowOwned));
        EXPECT_EQ(errno, EPERM);
        EXPECT_EQ(LinkOfAnotherUserOn(path), dir.Path("share"));
    }
    EXPECT_EQ(LinkOfAnotherUserOn(dir.Path("target/empty")), std::nullopt);

    ScanOptions options;
    std::string unreadable;
    options.Unreadable = [&](std::string_view path, int error) {
        unreadable = std::string(path) + ": " + std::to_string(error);
    };
    std::size_t found = 0;
    const std::vector<std::string> folders{dir.Path("own")};
    ForEachEmptyFolder(folders, options, [&](const EmptyFolder&) { ++found; });
    EXPECT_EQ(found, 0U);
    EXPECT_EQ(unreadable, dir.Path("own") + ": " + std::to_string(EPERM));
}

} // namespace
} // namespace hollowsweep
