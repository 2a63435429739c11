#include "core/platform/ProgramLocation.h"

#include "core/platform/WidePath.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <windows.h>

using namespace hollowsweep;

namespace {

// Sets one environment variable for a test and puts back what was there.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const wchar_t* value)
        : name_(name) {
        std::wstring old(32767, L'\0');
        const DWORD length = ::GetEnvironmentVariableW(name, old.data(), old.size());
        if (length > 0) {
            old.resize(length);
            old_ = old;
        }
        ::SetEnvironmentVariableW(name, value);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ~ScopedVariable() { ::SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }

private:
    const wchar_t* name_;
    std::optional<std::wstring> old_;
};

// The configuration beside the program is looked for where the program is.
TEST(ProgramLocation, ExecutableFolderHoldsTheRunningProgram) {
    const std::filesystem::path folder(WideText(ExecutableFolder()));
    EXPECT_TRUE(std::filesystem::exists(folder / L"hollowsweep_ported_tests.exe"))
        << ExecutableFolder();
}

TEST(ProgramLocation, UserConfigurationLivesUnderApplicationData) {
    {
        const ScopedVariable appData(L"APPDATA", L"C:\\Users\\Ann\\AppData\\Roaming");
        EXPECT_EQ(UserConfigFolder(), "C:\\Users\\Ann\\AppData\\Roaming\\Hollowsweep");
    }
    // A relative or missing value is not taken: the user's own folder is.
    const ScopedVariable appData(L"APPDATA", L"relative");
    const std::string folder = UserConfigFolder();
    EXPECT_TRUE(folder.ends_with("\\Hollowsweep")) << folder;
    EXPECT_TRUE(std::filesystem::path(WideText(folder)).is_absolute()) << folder;
}

// Whether a folder takes files is found by making one, which goes again.
TEST(ProgramLocation, WritableFolderIsTriedAndLeftAsItWas) {
    const std::filesystem::path temp = std::filesystem::temp_directory_path() /
                                       ("hollowsweep-" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::create_directories(temp);
    EXPECT_TRUE(IsWritableFolder(NarrowText(temp.wstring())));
    EXPECT_TRUE(std::filesystem::is_empty(temp));
    EXPECT_FALSE(IsWritableFolder(NarrowText((temp / L"missing").wstring())));
    std::filesystem::remove(temp);
}

} // namespace
