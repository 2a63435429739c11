// The steps every export shares: columns, save dialog, overwrite prompt, wait
// window and the closing message.

#include "core/export/ExportCommand.h"

#include "ResultLists.h"
#include "ScriptedExportUI.h"
#include "TestDir.h"
#include "core/config/ConfigBinding.h"
#include "core/errors/Errors.h"
#include "core/export/DelimitedText.h"
#include "core/export/ExportColumns.h"
#include "core/export/HTMLReport.h"
#include "core/platform/WholeFile.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace hollowsweep;
using hollowsweep::test::ListOf;
using hollowsweep::test::ScriptedExportUI;
using hollowsweep::test::TestDir;

namespace {

const ExportFormat& Format(std::string_view name) {
    return *FindExportFormat(name);
}

const std::pair<std::string_view, std::string> Formats[] = {
    {"html", "save dialog .htm HTML File|*.htm"},    {"txt", "save dialog .txt Text File|*.txt"},
    {"xlsx", "save dialog .xlsx EXCEL File|*.xlsx"}, {"csv", "save dialog .csv CSV File|*.csv"},
    {"xml", "save dialog .xml XML File|*.XML"},      {"json", "save dialog .json JSON File|*.json"},
};

// Columns listed out of display order, one of them switched off.
ConfigRootPtr Config() {
    return ParseConfig("<config><nodes>"
                       "<node Name=\"Full Path\" Visible=\"True\" Index=\"1\"/>"
                       "<node Name=\"Hidden\" Visible=\"False\" Index=\"2\"/>"
                       "<node Name=\"Folder Name\" Visible=\"True\" Index=\"0\"/>"
                       "</nodes></config>",
                       "test configuration");
}

const std::vector<std::string> Written = {"wait shown", "wait message Export to file..",
                                          "wait hidden", "message Done: Export Finished"};

std::vector<std::string> Joined(std::vector<std::string> first,
                                const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

} // namespace

TEST(ExportCommand, TheColumnsAreTheVisibleItemsInDocumentOrder) {
    const ConfigRootPtr root =
        ParseConfig("<config><nodes><node Name=\"b\" Visible=\"True\"/><!-- c -->"
                    "<other Name=\"x\" Visible=\"True\"/>text<node Name=\"h\" Visible=\"False\"/>"
                    "<node Name=\"a\" Visible=\"1\"/></nodes></config>",
                    "test configuration");
    EXPECT_EQ(GetExportColumns(*root), (std::vector<std::string>{"b", "a"}));
}

TEST(ExportCommand, AnEmptyListAsksAndWritesNothing) {
    for (const auto& [name, dialog] : Formats) {
        const ExportFormat& format = Format(name);
        ScriptedExportUI ui;
        XMLDocument document;
        RunExport(format, ResultList(), *Config(), document, ui);
        EXPECT_TRUE(ui.Calls.empty()) << dialog;
    }
}

TEST(ExportCommand, CancellingWritesNothingButTheDocumentIsRebuilt) {
    for (const auto& [name, dialog] : Formats) {
        const ExportFormat& format = Format(name);
        ScriptedExportUI ui;
        XMLDocument document;
        RunExport(format, ListOf({"/d/a"}), *Config(), document, ui);
        const bool buildsDocument = name == "xlsx" || name == "xml";
        const std::vector<std::string> building = {"wait shown", "wait message Gathering info..",
                                                   "wait hidden"};
        EXPECT_EQ(ui.Calls,
                  Joined(buildsDocument ? building : std::vector<std::string>{}, {dialog}));
        EXPECT_EQ(buildsDocument, document.Active());
    }
}

TEST(ExportCommand, AnExistingFileIsReplacedOnlyAfterYes) {
    for (const auto& [name, dialog] : Formats) {
        const ExportFormat& format = Format(name);
        TestDir dir;
        dir.MakeFile("out", "old");
        ScriptedExportUI ui;
        ui.SavePath = dir.Path("out");
        XMLDocument document;
        const ResultList list = ListOf({"/d/a"});
        RunExport(format, list, *Config(), document, ui);
        EXPECT_EQ(ReadWholeFile(dir.Path("out")), "old");
        EXPECT_EQ(ui.Calls.back(),
                  "ask Warning: Catalog with the same name already exists,overwrite?");

        ui.Calls.clear();
        ui.OverwriteAnswer = true;
        RunExport(format, list, *Config(), document, ui);
        EXPECT_NE(ReadWholeFile(dir.Path("out")), "old");
        EXPECT_EQ(std::vector<std::string>(ui.Calls.end() - 4, ui.Calls.end()), Written) << dialog;
    }
}

// Yes lets the export go on; the old file goes only when the new one is whole.
TEST(ExportCommand, AnExportThatFailsAfterYesKeepsTheOldFile) {
    TestDir dir;
    dir.MakeFile("out.xlsx", "old");
    ScriptedExportUI ui;
    ui.SavePath = dir.Path("out.xlsx");
    ui.OverwriteAnswer = true;
    XMLDocument document;
    const ResultList list = ListOf({"/d/a", "/d/" + std::string(33'000, 'n')});
    EXPECT_THROW(RunExport(Format("xlsx"), list, *Config(), document, ui), ConversionError);
    EXPECT_EQ(ReadWholeFile(dir.Path("out.xlsx")), "old");
}

TEST(ExportCommand, VisibleColumnsAreExportedInDocumentOrder) {
    TestDir dir;
    ScriptedExportUI ui;
    ui.SavePath = dir.Path("out.csv");
    XMLDocument document;
    RunExport(Format("csv"), ListOf({"/d/a"}), *Config(), document, ui);
    EXPECT_EQ(ui.Calls, Joined({"save dialog .csv CSV File|*.csv"}, Written));
    EXPECT_EQ(ReadWholeFile(dir.Path("out.csv")), "Full Path,Folder Name,\r\n/d/a,a\r\n");
}

TEST(ExportCommand, TextFilesHoldTheBuiltTextWithTheirLineEnds) {
    TestDir dir;
    const ResultList list = ListOf({"/d/a&b", "/d/c"});
    const std::vector<std::string> columns = {"Full Path", "Folder Name"};
    const std::tuple<const ExportFormat&, std::string, std::string> cases[] = {
        {Format("html"), dir.Path("report.htm"),
         BuildHTML(list, columns, dir.Path("report.htm")) + "\r\n"},
        {Format("txt"), dir.Path("list.txt"),
         BuildDelimitedText(list, columns, TextSeparator, Quoting::None)},
        {Format("csv"), dir.Path("list.csv"),
         BuildDelimitedText(list, columns, CSVSeparator, Quoting::WhereNeeded)},
    };
    for (const auto& [format, path, expected] : cases) {
        ScriptedExportUI ui;
        ui.SavePath = path;
        XMLDocument document;
        RunExport(format, list, *Config(), document, ui);
        EXPECT_EQ(ReadWholeFile(path), expected);
    }
    EXPECT_EQ(std::count(std::get<2>(cases[0]).begin(), std::get<2>(cases[0]).end(), '\n'), 1);
}

TEST(ExportCommand, AFailedWriteHidesTheWaitWindowAndReportsNoSuccess) {
    TestDir dir;
    ScriptedExportUI ui;
    ui.SavePath = dir.Path("missing/out.htm");
    XMLDocument document;
    EXPECT_THROW(RunExport(Format("html"), ListOf({"/d/a"}), *Config(), document, ui), IOError);
    EXPECT_EQ(ui.Calls, (std::vector<std::string>{"save dialog .htm HTML File|*.htm", "wait shown",
                                                  "wait message Export to file..", "wait hidden"}));
}

TEST(ExportCommand, TheCatalogNameIsTheFileNameUpToItsFirstDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"/reports/list.htm", "list"},
        {"/reports/my.list.htm", "my"},
        {"/reports/list", "list"},
        {"list.htm", "list"},
        {"/reports/.hidden.htm", ""},
        {"/", ""},
        {"/a.b/c", "c"},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(GetCatalogName(path), name) << path;
    }
}
