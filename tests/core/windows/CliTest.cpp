#include "TempTree.h"
#include "core/platform/WidePath.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>
#include <windows.h>

using namespace hollowsweep;
using hollowsweep::test::TempTree;

namespace {

struct RunResult {
    DWORD Exit = 0;
    std::string Out;
    std::string Err;
};

std::string ReadBack(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The tool as built beside the tests, as a user runs it: its own process,
// standard output and error in files, arguments in UTF-16.
std::filesystem::path ToolPath() {
    std::wstring own(MAX_PATH, L'\0');
    own.resize(::GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size())));
    return std::filesystem::path(own).parent_path() / HOLLOWSWEEP_CLI_FROM_TESTS;
}

std::wstring Quoted(const std::wstring& argument) {
    return L"\"" + argument + L"\"";
}

RunResult RunTool(const TempTree& tree, const std::vector<std::wstring>& arguments) {
    const std::filesystem::path out = WideText(tree.Path(L"out.txt"));
    const std::filesystem::path err = WideText(tree.Path(L"err.txt"));
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outFile = ::CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE errFile = ::CreateFileW(err.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::wstring command = Quoted(ToolPath().wstring());
    for (const auto& argument : arguments) {
        command += L" " + Quoted(argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outFile;
    startup.hStdError = errFile;
    PROCESS_INFORMATION process{};
    RunResult result;
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &startup, &process) != 0) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &result.Exit);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start " << ToolPath().string();
    }
    ::CloseHandle(outFile);
    ::CloseHandle(errFile);
    result.Out = ReadBack(out);
    result.Err = ReadBack(err);
    return result;
}

// Paths come out as UTF-8 bytes, one per line with no "\r", or after -0
// each ended by a NUL; a name beyond ASCII is given and printed exactly.
TEST(WindowsCli, ScanPrintsTheEmptyFoldersInUtf8) {
    const TempTree tree;
    tree.MakeFolder(L"top\\Gr\u00FC\u00DFe\\\u65E5\u672C");
    tree.MakeFile(L"top\\file.txt");
    const std::string inner = tree.Path(L"top\\Gr\u00FC\u00DFe\\\u65E5\u672C");
    const std::string outer = tree.Path(L"top\\Gr\u00FC\u00DFe");

    const RunResult lines = RunTool(tree, {L"scan", L"-q", WideText(tree.Path(L"top"))});
    EXPECT_EQ(lines.Exit, 0U) << lines.Err;
    EXPECT_EQ(lines.Out, inner + "\n" + outer + "\n");

    const RunResult nulls = RunTool(tree, {L"scan", L"-q", L"-0", WideText(tree.Path(L"top"))});
    EXPECT_EQ(nulls.Out, inner + '\0' + outer + '\0');
}

// delete takes what a scan would list, and says so; a missing folder is
// named with the system's reason and the exit status of a usage error.
TEST(WindowsCli, DeleteRemovesTheEmptyFolders) {
    const TempTree tree;
    tree.MakeFolder(L"top\\a\\b");
    tree.MakeFile(L"top\\keep\\file.txt");
    const RunResult removed = RunTool(tree, {L"delete", L"-q", WideText(tree.Path(L"top"))});
    EXPECT_EQ(removed.Exit, 0U) << removed.Err;
    EXPECT_NE(removed.Out.find(tree.Path(L"top\\a\\b")), std::string::npos) << removed.Out;
    EXPECT_FALSE(tree.Exists(L"top\\a"));
    EXPECT_TRUE(tree.Exists(L"top\\keep\\file.txt"));

    const RunResult missing = RunTool(tree, {L"scan", WideText(tree.Path(L"missing"))});
    EXPECT_EQ(missing.Exit, 2U);
    EXPECT_NE(missing.Err.find(tree.Path(L"missing")), std::string::npos) << missing.Err;
}

// An export goes to its file, whole.
TEST(WindowsCli, ScanExportsToAFile) {
    const TempTree tree;
    tree.MakeFolder(L"top\\empty");
    const RunResult json =
        RunTool(tree, {L"scan", L"-q", L"-f", L"json", L"-o", WideText(tree.Path(L"list.json")),
                       WideText(tree.Path(L"top"))});
    EXPECT_EQ(json.Exit, 0U) << json.Err;
    const std::string written = ReadBack(WideText(tree.Path(L"list.json")));
    EXPECT_TRUE(written.starts_with("{") || written.starts_with("[")) << written;
    EXPECT_NE(written.find("empty"), std::string::npos) << written;
}

} // namespace
