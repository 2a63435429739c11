// The steps every export shares: columns, save dialog, overwrite prompt, wait
// window and the closing message.

#include "export/ExportCommand.h"

#include "ScriptedExportUI.h"
#include "TestDir.h"
#include "config/QuillfenConfig.h"
#include "errors/Errors.h"
#include "export/DelimitedText.h"
#include "export/HTMLReport.h"
#include "platform/WholeFile.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace hollowsweep;
using hollowsweep::test::ListOf;
using hollowsweep::test::TScriptedExportUI;
using hollowsweep::test::TTestDir;

namespace {

const std::pair<TExportFormat, std::string> Formats[] = {
    {TExportFormat::HTML, "save dialog .htm HTML File|*.htm"},
    {TExportFormat::Text, "save dialog .txt Text File|*.txt"},
    {TExportFormat::Excel, "save dialog .xlsx EXCEL File|*.xlsx"},
    {TExportFormat::CSV, "save dialog .csv CSV File|*.csv"},
    {TExportFormat::XML, "save dialog .xml XML File|*.XML"},
};

// Columns listed out of display order, one of them switched off.
IXMLConfigType Config() {
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

TEST(ExportCommand, AnEmptyListAsksAndWritesNothing) {
    for (const auto& [format, dialog] : Formats) {
        TScriptedExportUI ui;
        TXMLDocument document;
        RunExport(format, TResultList(), *Config(), document, ui);
        EXPECT_TRUE(ui.Calls.empty()) << dialog;
    }
}

TEST(ExportCommand, CancellingWritesNothingButTheDocumentIsRebuilt) {
    for (const auto& [format, dialog] : Formats) {
        TScriptedExportUI ui;
        TXMLDocument document;
        RunExport(format, ListOf({"/d/a"}), *Config(), document, ui);
        const bool buildsDocument = format == TExportFormat::Excel || format == TExportFormat::XML;
        const std::vector<std::string> building = {"wait shown", "wait message Gathering info..",
                                                   "wait hidden"};
        EXPECT_EQ(ui.Calls,
                  Joined(buildsDocument ? building : std::vector<std::string>{}, {dialog}));
        EXPECT_EQ(buildsDocument, document.Active());
    }
}

TEST(ExportCommand, AnExistingFileIsReplacedOnlyAfterYes) {
    for (const auto& [format, dialog] : Formats) {
        TTestDir dir;
        dir.MakeFile("out", "old");
        TScriptedExportUI ui;
        ui.SavePath = dir.Path("out");
        TXMLDocument document;
        const TResultList list = ListOf({"/d/a"});
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

TEST(ExportCommand, VisibleColumnsAreExportedInDocumentOrder) {
    TTestDir dir;
    TScriptedExportUI ui;
    ui.SavePath = dir.Path("out.csv");
    TXMLDocument document;
    RunExport(TExportFormat::CSV, ListOf({"/d/a"}), *Config(), document, ui);
    EXPECT_EQ(ui.Calls, Joined({"save dialog .csv CSV File|*.csv"}, Written));
    EXPECT_EQ(ReadWholeFile(dir.Path("out.csv")), "Full Path,Folder Name,\r\n/d/a,a\r\n");
}

TEST(ExportCommand, TextFilesHoldTheBuiltTextWithTheirLineEnds) {
    TTestDir dir;
    const TResultList list = ListOf({"/d/a&b", "/d/c"});
    const std::vector<std::string> columns = {"Full Path", "Folder Name"};
    const std::tuple<TExportFormat, std::string, std::string> cases[] = {
        {TExportFormat::HTML, dir.Path("report.htm"),
         BuildHTML(list, columns, dir.Path("report.htm")) + "\r\n"},
        {TExportFormat::Text, dir.Path("list.txt"),
         BuildDelimitedText(list, columns, TextSeparator, TQuoting::None)},
        {TExportFormat::CSV, dir.Path("list.csv"),
         BuildDelimitedText(list, columns, CSVSeparator, TQuoting::WhereNeeded)},
    };
    for (const auto& [format, path, expected] : cases) {
        TScriptedExportUI ui;
        ui.SavePath = path;
        TXMLDocument document;
        RunExport(format, list, *Config(), document, ui);
        EXPECT_EQ(ReadWholeFile(path), expected);
    }
    EXPECT_EQ(std::count(std::get<2>(cases[0]).begin(), std::get<2>(cases[0]).end(), '\n'), 1);
}

TEST(ExportCommand, AFailedWriteHidesTheWaitWindowAndReportsNoSuccess) {
    TTestDir dir;
    TScriptedExportUI ui;
    ui.SavePath = dir.Path("missing/out.htm");
    TXMLDocument document;
    EXPECT_THROW(RunExport(TExportFormat::HTML, ListOf({"/d/a"}), *Config(), document, ui),
                 TIOError);
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
