#include "core/platform/FolderDeletion.h"

#include "core/platform/WidePath.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

using namespace hollowsweep;

namespace {

// A fresh folder under the system's temporary folder, removed with what is
// in it when it goes; it holds no reparse point.
class TempTree {
public:
    TempTree() {
        root_ = std::filesystem::temp_directory_path() /
                ("hollowsweep-" + std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(::GetTickCount64()));
        std::filesystem::create_directories(root_);
        rootHandle_ = OpenFolder(NarrowText(root_.wstring()));
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    ~TempTree() {
        rootHandle_.Reset();
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_)) {
            ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    const FileHandle& Root() const { return rootHandle_; }
    std::filesystem::path Path(const std::wstring& relative) const { return root_ / relative; }
    bool Exists(const std::wstring& relative) const {
        return std::filesystem::exists(root_ / relative);
    }
    FileIdentity IdentityOfFolder(const std::string& name) const {
        return IdentityOf(OpenFolderBelow(rootHandle_, name));
    }

private:
    std::filesystem::path root_;
    FileHandle rootHandle_;
};

TEST(FolderDeletion, RemovesTheEmptyFolderItFound) {
    const TempTree tree;
    std::filesystem::create_directories(tree.Path(L"empty"));
    std::filesystem::create_directories(tree.Path(L"other"));
    const FileIdentity found = tree.IdentityOfFolder("empty");

    const auto result = DeleteFolderBelow(tree.Root(), "empty", found);
    EXPECT_EQ(result.Outcome, FolderDeletion::Removed);
    EXPECT_EQ(result.Error, 0);
    EXPECT_FALSE(tree.Exists(L"empty"));
    EXPECT_TRUE(tree.Exists(L"other"));
}

// What is not the empty folder that was found stays as it is, whatever has
// its name now.
TEST(FolderDeletion, KeepsWhatIsNotTheEmptyFolderFound) {
    struct Case {
        const char* name;
        void (*change)(const TempTree&);
        FolderDeletion expected;
        const wchar_t* kept;
    };
    const Case cases[] = {
        {"holds a file",
         [](const TempTree& tree) {
             ::CloseHandle(::CreateFileW(tree.Path(L"target\\data.txt").c_str(), GENERIC_WRITE, 0,
                                         nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
         },
         FolderDeletion::NotEmpty, L"target\\data.txt"},
        {"holds a folder",
         [](const TempTree& tree) {
             std::filesystem::create_directories(tree.Path(L"target\\sub"));
         },
         FolderDeletion::NotEmpty, L"target\\sub"},
        {"replaced by another folder",
         [](const TempTree& tree) {
             std::filesystem::rename(tree.Path(L"target"), tree.Path(L"moved"));
             std::filesystem::create_directories(tree.Path(L"target"));
         },
         FolderDeletion::Replaced, L"target"},
        {"replaced by a file",
         [](const TempTree& tree) {
             std::filesystem::rename(tree.Path(L"target"), tree.Path(L"moved"));
             ::CloseHandle(::CreateFileW(tree.Path(L"target").c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
         },
         FolderDeletion::Replaced, L"target"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempTree tree;
        std::filesystem::create_directories(tree.Path(L"target"));
        const FileIdentity found = tree.IdentityOfFolder("target");
        c.change(tree);

        const auto result = DeleteFolderBelow(tree.Root(), "target", found);
        EXPECT_EQ(result.Outcome, c.expected);
        EXPECT_TRUE(tree.Exists(c.kept));
        EXPECT_EQ(tree.Exists(L"moved"), c.expected == FolderDeletion::Replaced);
    }
}

TEST(FolderDeletion, AFolderAlreadyGoneIsGone) {
    const TempTree tree;
    std::filesystem::create_directories(tree.Path(L"target"));
    const FileIdentity found = tree.IdentityOfFolder("target");
    std::filesystem::remove(tree.Path(L"target"));
    EXPECT_EQ(DeleteFolderBelow(tree.Root(), "target", found).Outcome, FolderDeletion::Gone);
}

// A read-only folder, which Windows refuses to remove, is removed; one that
// stays gets its attribute back.
TEST(FolderDeletion, ReadOnlyFolderIsClearedAndRestoredWhenItStays) {
    const TempTree tree;
    std::filesystem::create_directories(tree.Path(L"empty"));
    std::filesystem::create_directories(tree.Path(L"full\\sub"));
    for (const wchar_t* name : {L"empty", L"full"}) {
        ASSERT_TRUE(::SetFileAttributesW(tree.Path(name).c_str(), FILE_ATTRIBUTE_READONLY));
    }
    if ((::GetFileAttributesW(tree.Path(L"full").c_str()) & FILE_ATTRIBUTE_READONLY) == 0) {
        GTEST_SKIP() << "this system (Wine) keeps no read-only attribute on folders";
    }

    EXPECT_EQ(DeleteFolderBelow(tree.Root(), "empty", tree.IdentityOfFolder("empty")).Outcome,
              FolderDeletion::Removed);
    EXPECT_FALSE(tree.Exists(L"empty"));
    EXPECT_EQ(DeleteFolderBelow(tree.Root(), "full", tree.IdentityOfFolder("full")).Outcome,
              FolderDeletion::NotEmpty);
    EXPECT_NE(::GetFileAttributesW(tree.Path(L"full").c_str()) & FILE_ATTRIBUTE_READONLY, 0U);
}

} // namespace
