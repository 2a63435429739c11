#include "app/DesktopTrash.h"

#include "RunProgram.h"
#include "ScopedEnvironment.h"
#include "TestDir.h"
#include "core/platform/WholeFile.h"
#include "core/removal/FolderRemoval.h"
#include "core/scan/EmptyFolderScan.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace hollowsweep;
using hollowsweep::test::RunProgram;
using hollowsweep::test::TestDir;

namespace {

namespace fs = std::filesystem;

// The home whose trash the tests fill. GLib reads HOME and XDG_DATA_HOME once
// per process, so one home serves every test here, its trash emptied by each.
class TrashHome : public ::testing::Environment {
public:
    static const TestDir& Home() {
        static TestDir home;
        return home;
    }
    static std::string Trash() { return Home().Path("data/Trash"); }

    void SetUp() override {
        environment_.Set("HOME", Home().Root());
        environment_.Set("XDG_DATA_HOME", Home().Path("data"));
    }

private:
    hollowsweep::test::ScopedEnvironment environment_;
};

[[maybe_unused]] const auto* const home = ::testing::AddGlobalTestEnvironment(new TrashHome);

// The names that Qt's trash recorded so that no desktop read them back.
const std::vector<std::string> OddNames = {"100%25 done", "line\nfeed", "odd\xff name"};

using Outcomes = std::map<std::string, RemovalOutcome>;

// Scans the tree and sends every empty folder found to the trash.
Outcomes TrashTree(const std::string& root, const MoveToTrashFunction& trash,
                   const ScanRules& rules = {}) {
    RemovalPlan plan(std::vector<std::string>{root});
    ScanOptions scan;
    scan.Rules = rules;
    std::size_t tag = 0;
    ForEachEmptyFolder(std::vector<std::string>{root}, scan, [&](const EmptyFolder& found) {
        EXPECT_TRUE(plan.Add(found.Path, found.Identity, tag++));
    });
    RemovalOptions options;
    options.Threads = 2;
    options.Rules = rules;
    options.MoveToTrash = trash;
    Outcomes outcomes;
    RemoveFolders(plan, options, [&](const RemovalEvent& event) {
        outcomes[std::string(event.Path).substr(root.size() + 1)] = event.Outcome;
    });
    return outcomes;
}

// Every record of a trash, by the name of its item, without the deletion
// date, whose form is checked here; the root of the trashed tree is written
// as "ROOT".
std::map<std::string, std::string> Records(const std::string& trash, const std::string& root) {
    std::map<std::string, std::string> records;
    for (const auto& info : fs::directory_iterator(trash + "/info")) {
        std::string text = ReadWholeFile(info.path());
        static const std::regex date("DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n");
        EXPECT_TRUE(std::regex_search(text, date)) << text;
        text = std::regex_replace(text, date, "");
        for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root)) {
            text.replace(at, root.size(), "ROOT");
        }
        std::string name = info.path().filename().string();
        EXPECT_TRUE(name.ends_with(".trashinfo")) << name;
        name.resize(name.size() - std::string_view(".trashinfo").size());
        EXPECT_TRUE(fs::exists(fs::symlink_status(fs::path(trash) / "files" / name))) << name;
        records[name] = text;
    }
    const auto items = std::distance(fs::directory_iterator(trash + "/files"), {});
    EXPECT_EQ(static_cast<std::size_t>(items), records.size());
    return records;
}

// The path of a record, its escapes undone.
std::string RecordedPath(const std::string& record) {
    const std::size_t start = record.find("\nPath=") + 6;
    const std::string escaped = record.substr(start, record.find('\n', start) - start);
    std::string path;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '%' && i + 2 < escaped.size()) {
            path += static_cast<char>(std::stoi(escaped.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            path += escaped[i];
        }
    }
    return path;
}

// Takes a mounted volume away at the end of a test, before its folder goes.
class ScopedUnmount {
public:
    explicit ScopedUnmount(std::string top)
        : top_(std::move(top)) {}
    ScopedUnmount(const ScopedUnmount&) = delete;
    ScopedUnmount& operator=(const ScopedUnmount&) = delete;
    ~ScopedUnmount() { RunProgram("/usr/bin/env", {"umount", top_}); }

private:
    std::string top_;
};

void EmptyTrash() {
    fs::remove_all(TrashHome::Trash());
}

} // namespace

// The records say where each item came from in the form that desktops read:
// the same as GIO's own "gio trash" writes for the same names, a chain of
// empty folders as one item, junk files inside their folder.
TEST(DesktopTrash, RecordsAreWhatTheDesktopsOwnTrashWrites) {
    EmptyTrash();
    TestDir tree;
    TestDir twin;
    for (const TestDir* dir : {&tree, &twin}) {
        for (const auto& name : OddNames) {
            dir->MakeFolders(name);
        }
        std::string deep = "chain";
        for (int level = 1; level < 30; ++level) {
            deep += "/d";
        }
        dir->MakeFolders(deep);
        dir->MakeFile("junk/Thumbs.db", "thumbs");
        dir->MakeFile("keep.txt", "data");
    }
    ScanRules rules;
    rules.JunkFiles = {"Thumbs.db"};
    const Outcomes outcomes = TrashTree(tree.Root(), app::MoveToDesktopTrash, rules);
    EXPECT_EQ(outcomes.size(), OddNames.size() + 30 + 1);
    for (const auto& [path, outcome] : outcomes) {
        EXPECT_EQ(outcome, RemovalOutcome::Removed) << path;
    }

    TestDir twinHome;
    std::vector<std::string> command = {"HOME=" + twinHome.Root(),
                                        "XDG_DATA_HOME=" + twinHome.Path("data"), "gio", "trash"};
    for (const auto& name : OddNames) {
        command.push_back(twin.Path(name));
    }
    command.push_back(twin.Path("chain"));
    command.push_back(twin.Path("junk"));
    const auto gio = RunProgram("/usr/bin/env", command);
    ASSERT_EQ(gio.Status, 0) << gio.Err;

    const auto records = Records(TrashHome::Trash(), tree.Root());
    EXPECT_EQ(records, Records(twinHome.Path("data/Trash"), twin.Root()));
    EXPECT_EQ(records.size(), OddNames.size() + 2);
    for (const auto& name : OddNames) {
        ASSERT_EQ(records.count(name), 1U) << name;
        EXPECT_EQ(RecordedPath(records.at(name)), "ROOT/" + name);
    }
    EXPECT_EQ(records.at("100%25 done").substr(0, 40), "[Trash Info]\nPath=ROOT/100%2525%20done\n");
    EXPECT_TRUE(fs::is_directory(TrashHome::Trash() + "/files/chain/d/d/d"));
    EXPECT_EQ(ReadWholeFile(TrashHome::Trash() + "/files/junk/Thumbs.db"), "thumbs");
    EXPECT_TRUE(tree.Exists("keep.txt"));
}

// A folder swapped for a link between the checks and the hand-over: the
// trash takes the link, never the folder it leads to, and the removal says
// the folder changed, as it stays where it was moved.
TEST(DesktopTrash, ALinkSwappedInAfterTheChecksIsNotFollowed) {
    EmptyTrash();
    TestDir tree;
    TestDir elsewhere;
    tree.MakeFolders("swapped");
    tree.MakeFile("keep.txt", "data");
    elsewhere.MakeFile("target/precious.txt", "data");
    const auto swapThenTrash = [&](const std::string& path) {
        fs::rename(tree.Path("swapped"), tree.Path("moved"));
        tree.MakeLink("swapped", elsewhere.Path("target"));
        return app::MoveToDesktopTrash(path);
    };
    EXPECT_EQ(TrashTree(tree.Root(), swapThenTrash),
              (Outcomes{{"swapped", RemovalOutcome::Changed}}));
    EXPECT_EQ(ReadWholeFile(elsewhere.Path("target/precious.txt")), "data");
    EXPECT_TRUE(tree.Exists("moved"));
    EXPECT_TRUE(fs::is_symlink(TrashHome::Trash() + "/files/swapped"));
}

// GIO's words say why a folder stayed.
TEST(DesktopTrash, ARefusalSaysWhy) {
    EmptyTrash();
    TrashHome::Home().MakeFile("data/Trash", "in the way");
    TestDir tree;
    tree.MakeFolders("stays");
    const auto refusal = app::MoveToDesktopTrash(tree.Path("stays"));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_NE(refusal->find(TrashHome::Trash()), std::string::npos) << *refusal;
    EXPECT_TRUE(tree.Exists("stays"));
    fs::remove(TrashHome::Trash());
}

// A folder on another volume goes to that volume's own trash, its record
// naming it relative to the volume's top, as desktops read a volume's trash.
TEST(DesktopTrash, AFolderOnAnotherVolumeGoesToThatVolumesTrash) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a volume needs root";
    }
    TestDir dir;
    const std::string image = dir.Path("volume.img");
    const std::string top = dir.Path("volume");
    dir.MakeFolders("volume");
    {
        const std::vector<std::string> truncate = {"truncate", "-s", "4M", image};
        const std::vector<std::string> format = {"mkfs.ext4", "-q", image};
        ASSERT_EQ(RunProgram("/usr/bin/env", truncate).Status, 0);
        const auto formatted = RunProgram("/usr/bin/env", format);
        ASSERT_EQ(formatted.Status, 0) << formatted.Err;
    }
    const auto mounted = RunProgram("/usr/bin/env", {"mount", "-o", "loop", image, top});
    if (mounted.Status != 0) {
        GTEST_SKIP() << "no loop device: " << mounted.Err;
    }
    const ScopedUnmount unmount(top);
    dir.MakeFolders("volume/tree/100%25 done/inner");
    dir.MakeFile("volume/tree/keep.txt", "data");
    EXPECT_EQ(TrashTree(dir.Path("volume/tree"), app::MoveToDesktopTrash),
              (Outcomes{{"100%25 done/inner", RemovalOutcome::Removed},
                        {"100%25 done", RemovalOutcome::Removed}}));
    const std::string trash = top + "/.Trash-" + std::to_string(::getuid());
    EXPECT_TRUE(fs::is_directory(trash + "/files/100%25 done/inner"));
    const std::string record = ReadWholeFile(trash + "/info/100%25 done.trashinfo");
    EXPECT_TRUE(record.starts_with("[Trash Info]\nPath=tree/100%2525%20done\n")) << record;
}
