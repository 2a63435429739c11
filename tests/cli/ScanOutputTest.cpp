#include "CliRun.h"
#include "TestDir.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace hollowsweep::test;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void ExpectOneLineError(const ProgramResult& result, const std::string& start) {
    EXPECT_EQ(result.Status, 2) << result.Err;
    EXPECT_EQ(result.Out, "");
    EXPECT_TRUE(result.Err.starts_with("hollowsweep-cli: " + start)) << result.Err;
    EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
}

} // namespace

TEST(ScanOutput, ListGoesToAFileAsItWouldToStandardOutput) {
    TestDir dir;
    dir.MakeFolders("tree/a b/c");
    dir.MakeFolders("tree/d");
    dir.MakeFile("tree/d/file");
    const std::string output = dir.Path("list.out");
    for (const bool nul : {false, true}) {
        std::vector<std::string> arguments{"scan", "-q", dir.Path("tree")};
        if (nul) {
            arguments.insert(arguments.begin() + 1, "-0");
        }
        const auto printed = Cli(arguments);
        ASSERT_EQ(printed.Status, 0) << printed.Err;
        ASSERT_NE(printed.Out, "");

        arguments.insert(arguments.begin() + 1, {"-o", output});
        const auto written = Cli(arguments);
        EXPECT_EQ(written.Status, 0) << written.Err;
        EXPECT_EQ(written.Out, "");
        EXPECT_EQ(ReadFile(output), printed.Out);

        arguments[2] = "-";
        EXPECT_EQ(Cli(arguments).Out, printed.Out);
    }
}

TEST(ScanOutput, AnOutputThatCannotBeWrittenIsNamedWithTheReason) {
    TestDir dir;
    dir.MakeFolders("tree/empty");
    const std::pair<std::string, std::string> targets[] = {
        {"/dev/full", "No space left on device"},
        {dir.Path("missing/list.out"), "No such file or directory"},
    };
    for (const auto& [target, reason] : targets) {
        for (const char* format : {"list", "csv"}) {
            const auto result = Cli({"scan", "-f", format, "-o", target, dir.Path("tree")});
            ExpectOneLineError(result, target + ": ");
            EXPECT_TRUE(result.Err.ends_with(reason + "\n")) << result.Err;
        }
    }
    EXPECT_FALSE(dir.Exists("missing"));
}

TEST(ScanOutput, NulWithAnExportFormatIsAUsageError) {
    TestDir dir;
    dir.MakeFolders("tree/empty");
    for (const char* format : {"csv", "xml", "xlsx"}) {
        const auto result =
            Cli({"scan", "-0", "-f", format, "-o", dir.Path("out"), dir.Path("tree")});
        ExpectOneLineError(result, "--null: ");
        EXPECT_FALSE(dir.Exists("out")) << format;
    }
}
