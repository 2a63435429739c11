#pragma once

#include "core/platform/WidePath.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace hollowsweep::test {

// A fresh folder under the system's temporary folder (on the Wine drive
// under Wine), removed with what is in it when it goes. It holds no reparse
// point, so removing it cannot reach outside.
class TempTree {
public:
    TempTree() {
        static std::atomic<unsigned> made{0};
        root_ = std::filesystem::temp_directory_path() /
                ("hollowsweep-" + std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(::GetTickCount64()) + "-" + std::to_string(made++));
        std::filesystem::create_directories(root_);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    ~TempTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    // The path of a relative path below the root, in WTF-8.
    std::string Path(const std::wstring& relative = {}) const {
        return NarrowText((relative.empty() ? root_ : root_ / relative).wstring());
    }
    void MakeFolder(const std::wstring& relative) const {
        std::filesystem::create_directories(root_ / relative);
    }
    void MakeFile(const std::wstring& relative) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        const HANDLE file = ::CreateFileW((root_ / relative).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        ::CloseHandle(file);
    }
    void Rename(const std::wstring& from, const std::wstring& to) const {
        std::filesystem::rename(root_ / from, root_ / to);
    }
    bool Exists(const std::wstring& relative) const {
        return std::filesystem::exists(root_ / relative);
    }

private:
    std::filesystem::path root_;
};

} // namespace hollowsweep::test
