#include "CliRun.h"
#include "RunProgram.h"
#include "ScopedEnvironment.h"
#include "TestDir.h"
#include "Unprivileged.h"
#include "core/product/Product.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace hollowsweep::test;

namespace {

// A tree whose empty folders are known; the listing order of siblings is the
// file system's, so each level holds at most one empty folder.
void BuildTree(const TestDir& dir) {
    dir.MakeFolders("tree/a/b/c");
    dir.MakeFile("tree/docs/readme.txt", "keep");
    dir.MakeFolders("tree/docs/empty");
}

} // namespace

TEST(Cli, ScanListsEmptyFoldersDeepestFirst) {
    TestDir dir;
    dir.MakeFolders("tree/a/b/c");
    dir.MakeFile("tree/file");
    const auto result = Cli({"scan", dir.Path("tree")});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out,
              Lines({dir.Path("tree/a/b/c"), dir.Path("tree/a/b"), dir.Path("tree/a")}));
    EXPECT_EQ(result.Err, "");

    const auto nul = Cli({"scan", "-0", "-q", "--format", "list", dir.Path("tree") + "/"});
    EXPECT_EQ(nul.Out,
              Lines({dir.Path("tree/a/b/c"), dir.Path("tree/a/b"), dir.Path("tree/a")}, '\0'));
}

TEST(Cli, ScanOfSeveralFoldersListsEachEmptyFolderOnce) {
    TestDir dir;
    BuildTree(dir);
    const auto result = Cli({"scan", dir.Path("tree/a"), dir.Path("tree"), dir.Path("tree/a/b")});
    EXPECT_EQ(result.Status, 0);
    const auto expectedA =
        Lines({dir.Path("tree/a/b/c"), dir.Path("tree/a/b"), dir.Path("tree/a")});
    ASSERT_TRUE(result.Out.starts_with(expectedA)) << result.Out;
    EXPECT_EQ(result.Out.substr(expectedA.size()), Lines({dir.Path("tree/docs/empty")}));
}

TEST(Cli, UsageErrorsExitWithTwoAndAOneLineMessage) {
    TestDir dir;
    dir.MakeFile("plain.txt");
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"scan", dir.Path("missing")},
         "hollowsweep-cli: " + dir.Path("missing") + ": No such file or directory\n"},
        {{"delete", dir.Path("plain.txt")},
         "hollowsweep-cli: " + dir.Path("plain.txt") + ": not a folder\n"},
        {{}, ""},
        {{"scan"}, ""},
        {{"scan", "--format", "pdf", dir.Root()}, ""},
        {{"frobnicate"}, ""},
    };
    for (const auto& c : cases) {
        const auto result = Cli(c.arguments);
        EXPECT_EQ(result.Status, 2) << result.Err;
        EXPECT_EQ(result.Out, "");
        EXPECT_TRUE(result.Err.starts_with("hollowsweep-cli: ")) << result.Err;
        if (!c.error.empty()) {
            EXPECT_EQ(result.Err, c.error);
        }
    }
}

TEST(Cli, HelpAndVersionExitWithZero) {
    const auto version = Cli({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "hollowsweep-cli " + std::string(hollowsweep::ProgramVersion) + "\n");
    const auto help = Cli({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("scan"), std::string::npos);
    EXPECT_NE(help.Out.find("delete"), std::string::npos);
}

TEST(Cli, DryRunPrintsWhatWouldGoSubFoldersFirstAndRemovesNothing) {
    TestDir dir;
    BuildTree(dir);
    const auto result = Cli({"delete", "--dry-run", dir.Path("tree")});
    EXPECT_EQ(result.Status, 0);
    EXPECT_EQ(SortedLines(result.Out),
              SortedLines(Lines({dir.Path("tree/docs/empty"), dir.Path("tree/a/b/c"),
                                 dir.Path("tree/a/b"), dir.Path("tree/a")})));
    EXPECT_TRUE(ChildrenFirst(result.Out)) << result.Out;
    EXPECT_TRUE(dir.Exists("tree/a/b/c"));
}

TEST(Cli, DeleteRemovesEveryEmptyFolderAndKeepsFiles) {
    TestDir dir;
    BuildTree(dir);
    const auto result = Cli({"delete", "-q", dir.Path("tree")});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(SortedLines(result.Out),
              SortedLines(Lines({dir.Path("tree/docs/empty"), dir.Path("tree/a/b/c"),
                                 dir.Path("tree/a/b"), dir.Path("tree/a")})));
    EXPECT_TRUE(ChildrenFirst(result.Out)) << result.Out;
    EXPECT_FALSE(dir.Exists("tree/a"));
    EXPECT_FALSE(dir.Exists("tree/docs/empty"));
    EXPECT_TRUE(dir.Exists("tree/docs/readme.txt"));
}

TEST(Cli, FolderThatCannotBeRemovedIsReportedAndExitsWithOne) {
    TestDir dir;
    dir.MakeFolders("tree/sealed/inner");
    dir.MakeFolders("tree/free");
    dir.MakeFile("tree/keep.txt");
    hollowsweep::test::GiveToUnprivileged(dir.Root());
    ::chmod(dir.Path("tree/sealed").c_str(), 0555);
    const std::string cli = UnprivilegedCli(dir);
    const auto result = RunProgram(cli, {"delete", dir.Path("tree")}, true);
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Out, Lines({dir.Path("tree/free")}));
    EXPECT_EQ(result.Err,
              Lines({"hollowsweep-cli: " + dir.Path("tree/sealed/inner") + ": Permission denied",
                     "hollowsweep-cli: " + dir.Path("tree/sealed") + ": Directory not empty"}));
    EXPECT_TRUE(dir.Exists("tree/sealed/inner"));
}

TEST(Cli, ABadConfigurationFileExitsWithTwoNamingItAndStaysUntouched) {
    TestDir dir;
    dir.MakeFolders("tree/empty");
    dir.MakeFile("tree/file");
    const std::pair<const char*, const char*> files[] = {
        {"broken.xml", "<config><nodes>"},
        {"wrong-root.xml", "<settings/>"},
        {"bad-visible.xml", "<config><nodes><node Name=\"x\" Visible=\"maybe\"/></nodes></config>"},
    };
    for (const auto& [name, text] : files) {
        dir.MakeFile(name, text);
    }
    dir.MakeFile("good.xml",
                 "<config><nodes><node Name=\"Full Path\" Visible=\"1\"/></nodes></config>");
    for (const char* name : {"missing.xml", "broken.xml", "wrong-root.xml", "bad-visible.xml"}) {
        const auto result = Cli({"scan", "--config", dir.Path(name), dir.Path("tree")});
        EXPECT_EQ(result.Status, 2) << name;
        EXPECT_EQ(result.Out, "");
        EXPECT_TRUE(result.Err.starts_with("hollowsweep-cli: " + dir.Path(name) + ": "))
            << result.Err;
        EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
    }
    const auto good = Cli({"scan", "-c", dir.Path("good.xml"), dir.Path("tree")});
    EXPECT_EQ(good.Status, 0) << good.Err;
    EXPECT_EQ(good.Out, Lines({dir.Path("tree/empty")}));
    for (const auto& [name, text] : files) {
        std::ifstream in(dir.Path(name), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
    }
}

TEST(Cli, AConfigurationFileOverSixteenMebibytesIsRefusedBeforeItIsRead) {
    TestDir dir;
    dir.MakeFolders("tree/empty");
    // Sparse, so the test writes nothing; a file of exactly the limit is read and parsed.
    dir.MakeFile("over.xml");
    dir.MakeFile("limit.xml");
    std::filesystem::resize_file(dir.Path("over.xml"), (16 << 20) + 1);
    std::filesystem::resize_file(dir.Path("limit.xml"), 16 << 20);
    for (const std::string& file : {dir.Path("over.xml"), std::string("/dev/zero")}) {
        const auto result = Cli({"scan", "-c", file, dir.Path("tree")});
        EXPECT_EQ(result.Status, 2) << file;
        EXPECT_EQ(result.Out, "");
        EXPECT_EQ(result.Err,
                  "hollowsweep-cli: " + file + ": larger than 16 MiB, not a configuration file\n");
    }
    const auto limit = Cli({"scan", "-c", dir.Path("limit.xml"), dir.Path("tree")});
    EXPECT_EQ(limit.Status, 2);
    EXPECT_TRUE(limit.Err.starts_with("hollowsweep-cli: " + dir.Path("limit.xml") + ": "));
    EXPECT_EQ(limit.Err.find("16 MiB"), std::string::npos) << limit.Err;
}

TEST(Cli, ExportFormatsGoToStandardOutputOrAFile) {
    TestDir dir;
    dir.MakeFolders("tree/a,b");
    dir.MakeFile("tree/file");
    dir.MakeFile("columns.xml",
                 "<config><nodes><node Name=\"Full Path\" Visible=\"True\"/></nodes></config>");
    const std::string path = dir.Path("tree/a,b");
    const auto csv = Cli({"scan", "-f", "csv", dir.Path("tree")});
    EXPECT_EQ(csv.Status, 0) << csv.Err;
    EXPECT_EQ(csv.Out, "Folder Name,Full Path,\r\n\"a,b\",\"" + path + "\"\r\n");
    const auto text = Cli({"scan", "-f", "txt", "-c", dir.Path("columns.xml"), dir.Path("tree")});
    EXPECT_EQ(text.Out, "Full Path          \r\n" + path + "\r\n");

    for (const char* format : {"txt", "csv", "xml", "html"}) {
        const std::string output = dir.Path(std::string("out.") + format);
        const auto toFile = Cli({"scan", "-f", format, "-o", output, dir.Path("tree")});
        EXPECT_EQ(toFile.Status, 0) << toFile.Err;
        EXPECT_EQ(toFile.Out, "");
        std::ifstream in(output, std::ios::binary);
        const std::string written{std::istreambuf_iterator<char>(in), {}};
        std::string expected = Cli({"scan", "-f", format, dir.Path("tree")}).Out;
        if (std::string(format) == "html") {
            // The report's title is the target file's name.
            const std::string title = "<H5 Align=center>";
            expected.insert(expected.find(title) + title.size(), "out");
        }
        EXPECT_EQ(written, expected) << format;
    }

    const auto noFile = Cli({"scan", "-f", "xlsx", dir.Path("tree")});
    EXPECT_EQ(noFile.Status, 2);
    EXPECT_EQ(noFile.Err, "hollowsweep-cli: --format xlsx: needs --output FILE\n");
    const auto workbook = Cli({"scan", "-f", "xlsx", "-o", dir.Path("out.xlsx"), dir.Path("tree")});
    EXPECT_EQ(workbook.Status, 0) << workbook.Err;
    EXPECT_TRUE(dir.Exists("out.xlsx"));
}

// Messages come in the user's language where the catalogue has it; the C
// locale keeps the English texts that scripts may read.
TEST(Cli, MessagesFollowTheUsersLanguage) {
    TestDir dir;
    dir.MakeFile("plain.txt");
    const std::string notAFolder = dir.Path("plain.txt");
    const struct {
        const char* locale;
        const char* language;
        const char* reason;
    } cases[] = {{"C.UTF-8", "de", "kein Ordner"},
                 {"C.UTF-8", "fr", "not a folder"},
                 {"C", "de", "not a folder"}};
    for (const auto& [locale, language, reason] : cases) {
        ScopedEnvironment environment;
        environment.Set("LC_ALL", locale);
        environment.Set("LANGUAGE", language);
        const ProgramResult result = Cli({"scan", notAFolder});
        EXPECT_EQ(result.Err, "hollowsweep-cli: " + notAFolder + ": " + reason + "\n")
            << locale << " " << language;
        EXPECT_EQ(result.Status, 2);
    }
}
