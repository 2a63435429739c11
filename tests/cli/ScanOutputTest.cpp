#include "CliRun.h"
#include "TestDir.h"
#include "core/platform/WholeFile.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <rapidjson/document.h>

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
        for (const char* format : {"list", "csv", "json"}) {
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
    for (const char* format : {"csv", "xml", "xlsx", "json"}) {
        const auto result =
            Cli({"scan", "-0", "-f", format, "-o", dir.Path("out"), dir.Path("tree")});
        ExpectOneLineError(result, "--null: ");
        EXPECT_FALSE(dir.Exists("out")) << format;
    }
}

TEST(ScanOutput, JSONHoldsTheListedFoldersInListOrder) {
    TestDir dir;
    const std::string names[] = {"with space", "q\"uote", "back\\slash", "new\nline",
                                 "bad\xFFname"};
    for (const auto& name : names) {
        dir.MakeFolders("tree/" + name + "/inner");
    }
    dir.MakeFile("tree/file");
    const auto list = Cli({"scan", "-0", dir.Path("tree")});
    ASSERT_EQ(list.Status, 0) << list.Err;
    const std::vector<std::string> paths = SplitLines(list.Out, '\0');
    ASSERT_EQ(paths.size(), 10U);

    const std::string output = dir.Path("out.json");
    const auto json = Cli({"scan", "-f", "json", dir.Path("tree")});
    EXPECT_EQ(json.Status, 0) << json.Err;
    EXPECT_TRUE(json.Out.ends_with("]\n"));
    EXPECT_EQ(Cli({"scan", "-f", "json", "-o", output, dir.Path("tree")}).Out, "");
    EXPECT_EQ(ReadFile(output), json.Out);

    rapidjson::Document parsed;
    parsed.Parse<rapidjson::kParseValidateEncodingFlag>(json.Out.data(), json.Out.size());
    ASSERT_FALSE(parsed.HasParseError()) << json.Out;
    ASSERT_TRUE(parsed.IsArray());
    ASSERT_EQ(parsed.Size(), paths.size());
    for (rapidjson::SizeType i = 0; i < parsed.Size(); ++i) {
        std::string path = paths[i];
        if (const std::size_t bad = path.find('\xFF'); bad != std::string::npos) {
            path.replace(bad, 1, "\xEF\xBF\xBD");
        }
        const auto& entry = parsed[i];
        ASSERT_TRUE(entry.IsObject());
        EXPECT_EQ(entry.MemberCount(), 2U);
        EXPECT_EQ(entry["FullPath"].GetString(), path);
        EXPECT_EQ(entry["FileName"].GetString(), path.substr(path.rfind('/') + 1));
    }

    dir.MakeFolders("full");
    dir.MakeFile("full/file");
    const auto none = Cli({"scan", "-f", "json", dir.Path("full")});
    EXPECT_EQ(none.Status, 0) << none.Err;
    EXPECT_EQ(none.Out, "[]\n");
}

// /dev/stdout names the standard output the shell gave the tool: the list
// lands there after what came before and before what follows.
TEST(ScanOutput, DevStdoutWritesWhereTheShellSendsIt) {
    TestDir dir;
    dir.MakeFolders("tree/empty");
    const std::string script = "{ echo before; '" + std::string(HOLLOWSWEEP_CLI) +
                               "' scan -q -o /dev/stdout '" + dir.Path("tree") +
                               "'; echo after; } > '" + dir.Path("out.txt") + "'";
    const auto result = RunProgram("/bin/sh", {"-c", script});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(hollowsweep::ReadWholeFile(dir.Path("out.txt")),
              "before\n" + Lines({dir.Path("tree/empty"), dir.Path("tree")}) + "after\n");
}
