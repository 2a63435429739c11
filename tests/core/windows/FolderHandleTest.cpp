#include "core/platform/FolderHandle.h"

#include "TempTree.h"
#include "core/platform/WidePath.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

using namespace hollowsweep;
using hollowsweep::test::TempTree;

namespace {

std::vector<std::pair<std::string, EntryKind>> Listing(const FileHandle& folder) {
    std::vector<FolderEntry> entries;
    EXPECT_EQ(ReadFolder(folder, entries), 0);
    std::vector<std::pair<std::string, EntryKind>> listed;
    for (auto& entry : entries) {
        listed.emplace_back(std::move(entry.Name), entry.Kind);
    }
    std::sort(listed.begin(), listed.end());
    return listed;
}

// Names come back exactly, beyond the basic plane too, with files and
// folders told apart from the listing alone; a folder opened through its
// parent's handle lists what lies in it.
TEST(FolderHandle, ListsAndOpensBelowTheParent) {
    const TempTree tree;
    tree.MakeFolder(L"sub\\inner");
    tree.MakeFolder(L"\U0001F600 Gr\u00FC\u00DF");
    tree.MakeFile(L"file.txt");
    const FileHandle root = OpenFolder(tree.Path());
    ASSERT_TRUE(root) << errno;

    using Entries = std::vector<std::pair<std::string, EntryKind>>;
    EXPECT_EQ(Listing(root), (Entries{{"file.txt", EntryKind::File},
                                      {"sub", EntryKind::Folder},
                                      {"\xF0\x9F\x98\x80 Gr\xC3\xBC\xC3\x9F", EntryKind::Folder}}));

    const FileHandle sub = OpenFolderBelow(root, "sub");
    ASSERT_TRUE(sub) << errno;
    EXPECT_EQ(Listing(sub), (Entries{{"inner", EntryKind::Folder}}));
    EXPECT_TRUE(OpenFolderBelow(root, "\xF0\x9F\x98\x80 Gr\xC3\xBC\xC3\x9F"));
    // Many folders are listed in more than one batch of the buffer.
    for (int i = 0; i < 600; ++i) {
        tree.MakeFolder(L"sub\\inner\\" + std::wstring(60, L'x') + std::to_wstring(i));
    }
    std::vector<FolderEntry> many;
    EXPECT_EQ(ReadFolder(OpenFolderBelow(sub, "inner"), many), 0);
    EXPECT_EQ(many.size(), 600U);
}

// Only one existing folder, named as one component, is ever opened below a
// parent: nothing steps up or across, and a file is not taken for a folder.
TEST(FolderHandle, OpeningBelowRefusesWhatIsNoFolderHere) {
    const TempTree tree;
    tree.MakeFolder(L"sub");
    tree.MakeFile(L"file.txt");
    const FileHandle root = OpenFolder(tree.Path());
    ASSERT_TRUE(root);
    struct Case {
        const char* name;
        int error;
    };
    const Case cases[] = {{"file.txt", ENOTDIR}, {"missing", ENOENT}, {"..", EINVAL}, {".", EINVAL},
                          {"sub\\..", EINVAL},   {"sub/x", EINVAL},   {"", EINVAL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        errno = 0;
        EXPECT_FALSE(OpenFolderBelow(root, c.name));
        EXPECT_EQ(errno, c.error);
    }
    errno = 0;
    EXPECT_FALSE(OpenFolder(tree.Path(L"file.txt")));
    EXPECT_EQ(errno, ENOTDIR);
}

// A folder renamed away and replaced by another of the same name has another
// identity, which is what keeps a removal from taking the newcomer.
TEST(FolderHandle, ReplacedFolderHasAnotherIdentity) {
    const TempTree tree;
    tree.MakeFolder(L"target");
    const FileHandle root = OpenFolder(tree.Path());
    ASSERT_TRUE(root);
    const FileIdentity before = IdentityOf(OpenFolderBelow(root, "target"));
    EXPECT_NE(before, FileIdentity{});
    EXPECT_EQ(IdentityOf(OpenFolder(tree.Path(L"target"))), before);

    tree.Rename(L"target", L"moved");
    tree.MakeFolder(L"target");
    EXPECT_NE(IdentityOf(OpenFolderBelow(root, "target")), before);
    EXPECT_EQ(IdentityOf(OpenFolderBelow(root, "moved")), before);
}

} // namespace
