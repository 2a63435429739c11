#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace hollowsweep::test {

// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends, even where the test took
// permissions away.
class TestDir {
public:
    TestDir();
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;
    ~TestDir();

    const std::string& Root() const { return root_; }
    // The full path of a path relative to the root.
    std::string Path(std::string_view relative = {}) const;

    // Creates a folder and any missing folders above it.
    void MakeFolders(std::string_view relative) const;
    // Creates a file (and its folders) holding text.
    void MakeFile(std::string_view relative, std::string_view text = {}) const;
    void MakeLink(std::string_view relative, const std::string& target) const;
    // A chain of levels folders, each called name, below the root; made a
    // folder at a time, so its path may pass the system's limit.
    void MakeChain(const std::string& name, int levels) const;
    // Sets the modification (and access) time of an entry, a link not followed.
    void SetModified(std::string_view relative, std::time_t when) const;
    bool Exists(std::string_view relative) const;

private:
    std::string root_;
};

// Creates or replaces a file outside any test folder.
void WriteFile(const std::string& path, std::string_view text);

// Removes a tree whatever its permissions.
void RemoveTree(const std::filesystem::path& path);

} // namespace hollowsweep::test
