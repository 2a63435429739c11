// The main window's decisions without a window: scripted answers stand in for
// the dialogs, the work runs in place of the wait window's thread, and the
// folders, the configuration and the exports are real.

#include "core/presenter/MainPresenter.h"

#include "ResultLists.h"
#include "ScriptedExportUI.h"
#include "TestDir.h"
#include "Unprivileged.h"
#include "core/config/DefaultConfig.h"
#include "core/config/RemovalSetting.h"
#include "core/errors/Errors.h"
#include "core/platform/WholeFile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

using namespace hollowsweep;
using hollowsweep::test::GiveToUnprivileged;
using hollowsweep::test::RunUnprivileged;
using hollowsweep::test::ScriptedExportUI;
using hollowsweep::test::TestDir;

namespace {

// Answers the main window's questions from a script and records each call.
class ScriptedPrompts final : public IUserPrompts {
public:
    std::string FolderAnswer;
    bool YesAnswer = true;
    std::vector<std::string> Calls;

    std::string ChooseFolder(const std::string& startIn) override {
        Calls.push_back("choose folder in " + startIn);
        return FolderAnswer;
    }
    bool AskYesNo(std::string_view text, std::string_view caption) override {
        Calls.push_back("ask " + std::string(caption) + ": " + std::string(text));
        return YesAnswer;
    }
    void ShowMessage(std::string_view text, std::string_view caption,
                     MessageIcon /*icon*/) override {
        Calls.push_back("message " + std::string(caption) + ": " + std::string(text));
    }
    void ShowReport(std::string_view text, std::string_view details,
                    std::string_view caption) override {
        Calls.push_back("report " + std::string(caption) + ": " + std::string(text) + " | " +
                        std::string(details));
    }
};

// Runs the work where it is called, as if behind the wait window; with
// CancelAtOnce, the user pressed Cancel before the work began.
class WorkInPlace final : public IBackgroundWork {
public:
    bool CancelAtOnce = false;
    std::vector<std::string> Messages;
    std::string LastProgress;

    std::exception_ptr Run(const std::optional<std::string>& message,
                           const std::function<void()>& work, std::atomic<bool>& cancel,
                           const std::function<std::string()>& progress) override {
        Messages.push_back(message.value_or("(none)"));
        cancel = CancelAtOnce;
        try {
            work();
        } catch (...) {
            return std::current_exception();
        }
        LastProgress = progress();
        return nullptr;
    }
};

class CountingView final : public IMainView {
public:
    int Focused = 0;
    int NewLists = 0;
    void FocusList() override { ++Focused; }
    void ShowNewList() override { ++NewLists; }
};

// A presenter on a configuration file of its own, as the program starts.
struct Presenter {
    explicit Presenter(const TestDir& dir, std::string_view configText = DefaultConfigText)
        : config([&dir, configText] {
            dir.MakeFile("config.xml", configText);
            return dir.Path("config.xml");
        }())
        , bin(dir.Path("bin")) {
        dir.MakeFolders("bin");
    }

    ResultList list;
    LazyConfig config;
    CountingView view;
    ScriptedPrompts prompts;
    WorkInPlace work;
    ScriptedExportUI exportUI;
    // The trash moves folders into a folder of its own, and refuses names
    // that start with "refused", in words of its own.
    std::string bin;
    std::vector<std::string> trashed;
    MainPresenter presenter{list,
                            config,
                            view,
                            prompts,
                            work,
                            exportUI,
                            [this](const std::string& path) -> std::optional<std::string> {
                                if (path.substr(path.rfind('/') + 1).starts_with("refused")) {
                                    return "no room in the bin";
                                }
                                const std::string target =
                                    bin + "/" + std::to_string(trashed.size());
                                if (std::rename(path.c_str(), target.c_str()) != 0) {
                                    return "not renamed";
                                }
                                trashed.push_back(path);
                                return std::nullopt;
                            }};
};

} // namespace

TEST(MainPresenter, AScanFillsTheListAndTheStatusCountsIt) {
    TestDir dir;
    dir.MakeFolders("tree/a/b");
    dir.MakeFile("tree/keep");
    Presenter p(dir);
    EXPECT_EQ(p.presenter.Status(), StatusTexts{});
    p.prompts.FolderAnswer = dir.Path("tree");
    p.presenter.OpenFolder();
    EXPECT_EQ(p.work.Messages, std::vector<std::string>{"Loading info.."});
    EXPECT_EQ(p.work.LastProgress, "3 folders scanned");
    EXPECT_EQ(p.list.Count(), 2U);
    EXPECT_EQ(p.view.Focused, 1);
    EXPECT_EQ(p.view.NewLists, 1);
    EXPECT_EQ(p.presenter.Status().Counts.Text, "2 empty folders, 2 checked");
    p.list.SetChecked(0, false);
    EXPECT_EQ(p.presenter.Status().Counts.Text, "2 empty folders, 1 checked");
    // The chooser starts where the user chose last.
    p.prompts.FolderAnswer.clear();
    p.presenter.OpenFolder();
    EXPECT_EQ(p.prompts.Calls.back(), "choose folder in " + dir.Path("tree"));
    EXPECT_EQ(p.list.Count(), 2U);
}

TEST(MainPresenter, TheStatusNamesWhatCouldNotBeReadAndWhatWasKept) {
    TestDir dir;
    Presenter p(dir);
    ResultList list;
    list.SetScannedFolders({"/t"});
    list.Append(ResultRecord::ForFolder("/t/a"));
    for (int i = 0; i < 32; ++i) {
        list.AddUnreadableFolder({"/t/locked" + std::to_string(i), EACCES});
    }
    list.AddKeptFolder({"/t/.git", Protection{ProtectionKind::VersionControl, {}}});
    p.list.Replace(std::move(list));
    const StatusTexts status = p.presenter.Status();
    EXPECT_EQ(status.Counts.Text, "1 empty folder, 1 checked");
    EXPECT_EQ(status.Unreadable.Text, "32 unreadable");
    EXPECT_TRUE(status.Unreadable.Hint.starts_with(
        "32 folders could not be read:\n/t/locked0: " + SystemErrorText(EACCES) + "\n"));
    EXPECT_TRUE(status.Unreadable.Hint.ends_with("/t/locked29: " + SystemErrorText(EACCES) +
                                                 "\n... and 2 more"));
    EXPECT_EQ(status.Kept.Text, "1 kept for other programs");
    EXPECT_EQ(status.Kept.Hint,
              "1 folder kept because other programs need them:\n/t/.git: version control data");
}

// Counts of more than four digits are grouped as the user's locale writes
// them; four digits are not.
TEST(MainPresenter, LargeCountsInTheStatusCarryTheGroupSeparator) {
    TestDir dir;
    Presenter p(dir);
    p.presenter.SetGroupSeparator(".");
    ResultList list;
    list.SetScannedFolders({"/t"});
    for (int i = 0; i < 12345; ++i) {
        list.Append(ResultRecord::ForFolder("/t/" + std::to_string(i)));
    }
    for (int i = 0; i < 1234; ++i) {
        list.AddUnreadableFolder({"/t/locked" + std::to_string(i), EACCES});
    }
    p.list.Replace(std::move(list));
    const StatusTexts status = p.presenter.Status();
    EXPECT_EQ(status.Counts.Text, "12.345 empty folders, 12.345 checked");
    EXPECT_EQ(status.Unreadable.Text, "1234 unreadable");
    EXPECT_TRUE(status.Unreadable.Hint.starts_with("1234 folders could not be read:"))
        << status.Unreadable.Hint;
}

TEST(MainPresenter, ACancelledScanLeavesTheListAsItWas) {
    TestDir dir;
    dir.MakeFolders("tree/a");
    Presenter p(dir);
    p.list.Append(ResultRecord::ForFolder("/earlier"));
    p.work.CancelAtOnce = true;
    p.presenter.OpenFolders({dir.Path("tree")});
    ASSERT_EQ(p.list.Count(), 1U);
    EXPECT_EQ(p.list.At(0).Record.Path(), "/earlier");
    EXPECT_EQ(p.view.NewLists, 0);
    // Paths that are no folders scan nothing; the wait window only flashes.
    p.work.CancelAtOnce = false;
    p.presenter.OpenFolders({dir.Path("missing")});
    EXPECT_EQ(p.list.Count(), 1U);
    EXPECT_EQ(p.work.Messages.size(), 2U);
}

// Each path that is not a folder is named once, with the system's reason, and
// the folders among the paths are scanned all the same.
TEST(MainPresenter, PathsThatAreNoFoldersAreNamedWithTheirReasons) {
    TestDir dir;
    dir.MakeFolders("tree/a");
    dir.MakeFile("plain.txt");
    dir.MakeFolders("locked/inner");
    GiveToUnprivileged(dir.Root());
    ASSERT_EQ(::chmod(dir.Path("locked").c_str(), 0), 0);
    const std::string seen = RunUnprivileged([&dir] {
        Presenter p(dir);
        p.presenter.OpenFolders({dir.Path("missing"), dir.Path("tree"), dir.Path("plain.txt"),
                                 dir.Path("locked/inner")});
        std::string calls;
        for (const auto& call : p.prompts.Calls) {
            calls += call + "|";
        }
        return calls + std::to_string(p.list.Count());
    });
    EXPECT_EQ(seen, "message Warning: These could not be scanned as folders:\n" +
                        dir.Path("missing") + ": " + SystemErrorText(ENOENT) + "\n" +
                        dir.Path("plain.txt") + ": not a folder\n" + dir.Path("locked/inner") +
                        ": " + SystemErrorText(EACCES) + "|2");

    // A shell's "*" may name thousands: the message stays readable.
    Presenter p(dir);
    p.presenter.OpenFolders({dir.Path("plain.txt")});
    EXPECT_EQ(p.prompts.Calls.back(), "message Warning: This could not be scanned as a folder:\n" +
                                          dir.Path("plain.txt") + ": not a folder");
    p.presenter.OpenFolders(std::vector<std::string>(32, dir.Path("gone")));
    EXPECT_TRUE(p.prompts.Calls.back().ends_with(dir.Path("gone") + ": " + SystemErrorText(ENOENT) +
                                                 "\n... and 2 more"));
    EXPECT_EQ(p.list.Count(), 0U);
}

// A configuration that does not parse is set aside only when the user agrees,
// and an earlier file set aside is never written over.
TEST(MainPresenter, ABrokenConfigurationIsSetAsideWhenTheUserAgrees) {
    TestDir dir;
    const std::string broken = "<config><nodes>";
    Presenter p(dir, broken);
    const std::string file = dir.Path("config.xml");
    p.prompts.YesAnswer = false;
    p.presenter.OfferDefaultConfig();
    const std::string offer =
        "\n\nStart from the default configuration? The file is kept as " + file + ".broken";
    ASSERT_EQ(p.prompts.Calls.size(), 1U);
    EXPECT_TRUE(p.prompts.Calls[0].starts_with(
        "ask Warning: The configuration could not be read:\n" + file + ": "));
    EXPECT_TRUE(p.prompts.Calls[0].ends_with(offer + "."));
    EXPECT_EQ(ReadWholeFile(file), broken);
    EXPECT_FALSE(dir.Exists("config.xml.broken"));

    p.prompts.YesAnswer = true;
    p.presenter.OfferDefaultConfig();
    EXPECT_EQ(ReadWholeFile(file), DefaultConfigText);
    EXPECT_EQ(ReadWholeFile(file + ".broken"), broken);
    EXPECT_EQ(p.config.GetConfig().Root()->GetNodes()->Count(), 2);
    // A file that reads is not asked about.
    p.presenter.OfferDefaultConfig();
    EXPECT_EQ(p.prompts.Calls.size(), 2U);

    Presenter again(dir, "<settings/>");
    again.presenter.OfferDefaultConfig();
    EXPECT_TRUE(again.prompts.Calls.back().ends_with(offer + ".1."));
    EXPECT_EQ(ReadWholeFile(file + ".broken"), broken);
    EXPECT_EQ(ReadWholeFile(file + ".broken.1"), "<settings/>");
    EXPECT_EQ(ReadWholeFile(file), DefaultConfigText);
}

// A file its owner made read-only, a folder that cannot be written and a
// full disk each leave the file as it was, and no copy behind.
TEST(MainPresenter, ABrokenConfigurationThatCannotBeSetAsideStaysAsItIs) {
    const std::string broken = "<config><nodes>";
    const struct {
        const char* Case;
        const char* Locked;
        int Error;
    } cases[] = {{"read-only file", "config.xml", EACCES},
                 {"read-only folder", "", EACCES},
                 {"full disk", nullptr, EFBIG}};
    for (const auto& each : cases) {
        TestDir dir;
        Presenter p(dir, broken);
        GiveToUnprivileged(dir.Root());
        if (each.Locked != nullptr) {
            ASSERT_EQ(::chmod(dir.Path(each.Locked).c_str(), *each.Locked == 0 ? 0555 : 0444), 0);
        }
        const std::string said = RunUnprivileged([&] {
            // A file size limit makes writes fail the way a full disk does.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{512, 512};
            if (each.Locked == nullptr) {
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            p.presenter.OfferDefaultConfig();
            return p.prompts.Calls.back();
        });
        EXPECT_TRUE(said.starts_with("message Warning: The configuration was left as it is, as "
                                     "it could not be set aside: " +
                                     dir.Path()))
            << each.Case << ": " << said;
        EXPECT_TRUE(said.ends_with(SystemErrorText(each.Error))) << each.Case << ": " << said;
        EXPECT_EQ(ReadWholeFile(dir.Path("config.xml")), broken) << each.Case;
        // No copy set aside and no temporary file left beside the file.
        for (const auto& entry : std::filesystem::directory_iterator(dir.Root())) {
            EXPECT_TRUE(entry.path().filename() == "config.xml" || entry.path().filename() == "bin")
                << each.Case << ": " << entry.path();
        }
    }
}

// A rule the user set that cannot be read must not be scanned without, and a
// trash setting that cannot be read must not turn into a removal for good.
TEST(MainPresenter, UnreadableOptionsStopTheScanOrTheRemovalWithAMessage) {
    TestDir dir;
    dir.MakeFolders("tree/a");
    Presenter p(dir, "<config><nodes/><scanRules oneFileSystem=\"perhaps\"/>"
                     "<removal moveToTrash=\"perhaps\"/></config>");
    p.presenter.ScanFolders({dir.Path("tree")}, std::nullopt);
    ASSERT_EQ(p.prompts.Calls.size(), 1U);
    EXPECT_TRUE(p.prompts.Calls[0].starts_with(
        "message Warning: The scan rules could not be read, so nothing was scanned: "));
    EXPECT_TRUE(p.work.Messages.empty());
    p.list.Append(ResultRecord::ForFolder(dir.Path("tree/a")));
    p.presenter.DeleteChecked();
    ASSERT_EQ(p.prompts.Calls.size(), 2U);
    EXPECT_TRUE(p.prompts.Calls[1].starts_with(
        "message Warning: The removal options could not be read, so nothing was removed: "));
    EXPECT_TRUE(dir.Exists("tree/a"));
}

TEST(MainPresenter, DeleteAsksRemovesAndReportsWhatBecameOfEachFolder) {
    TestDir dir;
    dir.MakeFolders("tree/a");
    dir.MakeFolders("tree/b");
    dir.MakeFile("tree/keep");
    Presenter p(dir);
    p.presenter.ScanFolders({dir.Path("tree")}, std::nullopt);
    ASSERT_EQ(p.list.Count(), 2U);
    // Nothing checked: nothing asked.
    p.presenter.UncheckAll();
    p.presenter.DeleteChecked();
    EXPECT_TRUE(p.prompts.Calls.empty());
    p.presenter.CheckAll();
    p.prompts.YesAnswer = false;
    p.presenter.DeleteChecked();
    EXPECT_EQ(p.prompts.Calls.back(),
              "ask Warning: Are you sure to delete the folders?\n\n2 folders checked");
    EXPECT_TRUE(dir.Exists("tree/a"));

    // One of them fills up before the removal.
    dir.MakeFile("tree/b/new");
    p.prompts.YesAnswer = true;
    p.presenter.DeleteChecked();
    EXPECT_EQ(p.work.Messages.back(), "Removing folders..");
    EXPECT_EQ(p.work.LastProgress, "1 of 2 folders removed");
    EXPECT_EQ(p.prompts.Calls.back(),
              "report Delete Checked From Disk: 1 folder removed.\n1 folder could not be "
              "removed. | " +
                  dir.Path("tree/b") + ": " + SystemErrorText(ENOTEMPTY) + "\n");
    EXPECT_FALSE(dir.Exists("tree/a"));
    ASSERT_EQ(p.list.Count(), 1U);
    EXPECT_TRUE(p.list.At(0).Kept);
}

// Unchecking a folder keeps it and all below it on the disk, and only there: a
// sibling whose name begins alike goes with the rest.
TEST(MainPresenter, ASubtreeUncheckedStaysOnTheDiskAndOneCheckedGoes) {
    TestDir dir;
    dir.MakeFolders("tree/a/b/c");
    dir.MakeFolders("tree/ab");
    dir.MakeFile("tree/keep");
    Presenter p(dir);
    p.presenter.ScanFolders({dir.Path("tree")}, std::nullopt);
    ASSERT_EQ(p.list.Count(), 4U);
    const auto entryOf = [&p, &dir](const char* folder) {
        for (std::size_t i = 0; i < p.list.Count(); ++i) {
            if (p.list.At(i).Record.Path() == dir.Path(folder)) {
                return i;
            }
        }
        throw IndexError(-1, p.list.Count());
    };
    p.presenter.UncheckSubtree(entryOf("tree/a"));
    EXPECT_EQ(p.list.CheckedCount(), 1U);
    p.presenter.DeleteChecked();
    EXPECT_FALSE(dir.Exists("tree/ab"));
    EXPECT_TRUE(dir.Exists("tree/a/b/c"));

    p.presenter.CheckSubtree(entryOf("tree/a/b"));
    EXPECT_EQ(p.list.CheckedCount(), 2U);
    p.presenter.DeleteChecked();
    EXPECT_FALSE(dir.Exists("tree/a/b"));
    EXPECT_TRUE(dir.Exists("tree/a"));
    EXPECT_THROW(p.presenter.CheckSubtree(p.list.Count()), IndexError);
}

TEST(MainPresenter, WithTheTrashSetTheFoldersGoToTheTrash) {
    TestDir dir;
    dir.MakeFolders("tree/a");
    dir.MakeFile("tree/keep");
    Presenter p(dir);
    WriteMoveToTrash(*p.config.GetConfig().Root(), true);
    p.presenter.ScanFolders({dir.Path("tree")}, std::nullopt);
    p.presenter.DeleteChecked();
    EXPECT_EQ(p.prompts.Calls.front(),
              "ask Warning: Are you sure to delete the folders?\n\n1 folder checked, to be moved "
              "to the trash");
    EXPECT_EQ(p.work.Messages.back(), "Moving folders to the trash..");
    EXPECT_EQ(p.trashed, std::vector<std::string>{dir.Path("tree/a")});
    EXPECT_EQ(p.prompts.Calls.back(),
              "report Delete Checked From Disk: 1 folder moved to the trash. | ");
}

// The report says why the trash refused a folder, in the trash's own words.
TEST(MainPresenter, TheReportSaysWhyTheTrashRefusedAFolder) {
    TestDir dir;
    dir.MakeFolders("tree/refused");
    dir.MakeFile("tree/keep");
    Presenter p(dir);
    WriteMoveToTrash(*p.config.GetConfig().Root(), true);
    p.presenter.ScanFolders({dir.Path("tree")}, std::nullopt);
    p.presenter.DeleteChecked();
    EXPECT_EQ(p.prompts.Calls.back(),
              "report Delete Checked From Disk: 0 folders moved to the trash.\n1 folder could not "
              "be moved to the trash. | " +
                  dir.Path("tree/refused") +
                  ": could not be moved to the trash: no room in the bin\n");
    EXPECT_TRUE(dir.Exists("tree/refused"));
}

// While a scan runs, nothing starts another or changes the list.
TEST(MainPresenter, CommandsWaitForTheWorkInHand) {
    TestDir dir;
    dir.MakeFolders("tree/a");
    Presenter p(dir);
    p.list.Append(ResultRecord::ForFolder("/earlier"));
    bool triedDuring = false;
    p.presenter.SetScanner(
        [&](ResultList& found, std::span<const std::string> folders, const ScanOptions& options) {
            triedDuring = p.presenter.Busy();
            p.presenter.ScanFolders({dir.Path("tree")}, std::nullopt);
            p.presenter.DeleteChecked();
            p.presenter.OpenFolder();
            return LoadEmptyFolders(found, folders, options);
        });
    p.presenter.ScanFolders({dir.Path("tree")}, std::nullopt);
    EXPECT_TRUE(triedDuring);
    EXPECT_FALSE(p.presenter.Busy());
    EXPECT_TRUE(p.prompts.Calls.empty());
    EXPECT_EQ(p.work.Messages.size(), 1U);
    EXPECT_EQ(p.list.Count(), 2U);
}

TEST(MainPresenter, AnExportWritesTheListInTheChosenFormat) {
    TestDir dir;
    dir.MakeFolders("tree/a");
    dir.MakeFile("tree/keep");
    Presenter p(dir);
    p.presenter.ScanFolders({dir.Path("tree")}, std::nullopt);
    p.exportUI.SavePath = dir.Path("out.csv");
    p.presenter.Export(*FindExportFormat("csv"));
    EXPECT_EQ(ReadWholeFile(dir.Path("out.csv")),
              "Folder Name,Full Path,\r\na," + dir.Path("tree/a") + "\r\n");
    EXPECT_EQ(p.exportUI.Calls.back(), "message Done: Export Finished");
}
