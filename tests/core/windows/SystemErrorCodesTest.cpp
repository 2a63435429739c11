#include "core/platform/SystemErrorCodes.h"

#include "core/errors/Errors.h"
#include "core/platform/WidePath.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

using namespace hollowsweep;

namespace {

// A fresh folder under the system's temporary folder, removed when it goes.
class TempFolder {
public:
    TempFolder() {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        path_ = temp + L"hollowsweep-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(::GetTickCount64());
        EXPECT_TRUE(::CreateDirectoryW(path_.c_str(), nullptr));
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        ::RemoveDirectoryW((path_ + L"\\inner\\held").c_str());
        ::RemoveDirectoryW((path_ + L"\\inner").c_str());
        ::DeleteFileW((path_ + L"\\file").c_str());
        ::RemoveDirectoryW(path_.c_str());
    }

    std::wstring Path(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

// The failures the removal and the scan act on, caused for real, come up as
// the errno values the layers above test for, and read as users know them.
TEST(SystemErrorCodes, RealFailuresGiveTheirErrnoValues) {
    const TempFolder dir;
    ASSERT_TRUE(::CreateDirectoryW(dir.Path(L"inner").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(dir.Path(L"inner\\held").c_str(), nullptr));
    const HANDLE file = ::CreateFileW(dir.Path(L"file").c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    EXPECT_FALSE(::RemoveDirectoryW(dir.Path(L"inner").c_str()));
    EXPECT_EQ(LastErrno(), ENOTEMPTY);
    EXPECT_FALSE(::RemoveDirectoryW(dir.Path(L"missing").c_str()));
    EXPECT_EQ(LastErrno(), ENOENT);
    EXPECT_FALSE(::RemoveDirectoryW(dir.Path(L"missing\\below").c_str()));
    EXPECT_EQ(LastErrno(), ENOENT);
    EXPECT_FALSE(::CreateDirectoryW(dir.Path(L"inner").c_str(), nullptr));
    EXPECT_EQ(LastErrno(), EEXIST);

    EXPECT_EQ(SystemErrorText(ErrnoOfWin32Error(ERROR_DIR_NOT_EMPTY)), "Directory not empty");
    EXPECT_EQ(SystemErrorText(ErrnoOfWin32Error(ERROR_ACCESS_DENIED)), "Permission denied");
}

// A code without an errno value of its own still reads as a failure.
TEST(SystemErrorCodes, UnknownCodesAreInputOutputErrors) {
    EXPECT_EQ(ErrnoOfWin32Error(ERROR_SUCCESS + 0xFFFF), EIO);
}

} // namespace
