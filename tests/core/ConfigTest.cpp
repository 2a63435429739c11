#include "core/config/Config.h"

#include "ScopedEnvironment.h"
#include "TestDir.h"
#include "Unprivileged.h"
#include "core/config/DefaultConfig.h"
#include "core/errors/Errors.h"
#include "core/platform/ProgramLocation.h"
#include "core/platform/WholeFile.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace hollowsweep;
using hollowsweep::test::GiveToUnprivileged;
using hollowsweep::test::RunUnprivileged;
using hollowsweep::test::TestDir;

namespace {

constexpr std::string_view Declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// What a child process met when it saved: "saved", or the error's code.
std::string SaveOutcome(const Config& config) {
    try {
        config.Save();
        return "saved";
    } catch (const IOError& error) {
        return SystemErrorText(error.Code());
    }
}

// The text without the blanks between its tags, which the parser drops.
std::string WithoutBlanksBetweenTags(std::string_view text) {
    std::string result;
    bool betweenTags = false;
    for (const char c : text) {
        if (betweenTags && (c == ' ' || c == '\t')) {
            continue;
        }
        betweenTags = c == '>';
        result += c;
    }
    return result;
}

} // namespace

TEST(Config, AMissingFileIsCreatedWithTheDefaultTextAndLoaded) {
    EXPECT_EQ(DefaultConfigText.size(), 1040U);
    EXPECT_TRUE(DefaultConfigText.starts_with(Declaration));
    EXPECT_TRUE(DefaultConfigText.ends_with("</sizerange></config>"));

    TestDir dir;
    const Config config(dir.Path("QuillfenConfig.xml"));
    EXPECT_EQ(ReadWholeFile(config.ConfigFileName()), DefaultConfigText);

    auto nodes = config.Root()->GetNodes();
    ASSERT_EQ(nodes->Count(), 2);
    const std::tuple<const char*, int, int> columns[] = {{"Folder Name", 172, 0},
                                                         {"Full Path", 320, 1}};
    for (int n = 0; n < 2; ++n) {
        const auto& [name, width, index] = columns[n];
        auto node = nodes->Item(n);
        EXPECT_EQ(node->GetName(), name);
        EXPECT_EQ(node->GetWidth(), width);
        EXPECT_EQ(node->GetIndex(), index);
        EXPECT_TRUE(node->GetVisible());
        EXPECT_TRUE(node->GetReadOnly());
        EXPECT_EQ(node->GetAlign(), "left");
    }
}

TEST(Config, SavingWritesTheRootAloneAndKeepsEveryCarriedValue) {
    TestDir dir;
    {
        const Config config(dir.Path("QuillfenConfig.xml"));
        config.Save();
    }
    EXPECT_EQ(ReadWholeFile(dir.Path("QuillfenConfig.xml")),
              WithoutBlanksBetweenTags(DefaultConfigText.substr(Declaration.size())));

    const Config reloaded(dir.Path("QuillfenConfig.xml"));
    auto root = reloaded.Root();
    EXPECT_EQ(root->GetVersionNo(), 2);
    EXPECT_EQ(root->GetAgerange()->Nodes(0)->Attribute("value"), "1.0");
    EXPECT_EQ(root->GetAgerange()->Nodes(1)->Attribute("value"), "3.0");
    EXPECT_EQ(root->GetSizerange()->Item(5)->GetLabel(), "1G");
    EXPECT_EQ(root->GetFrame()->GetLeft(), "0");
    EXPECT_TRUE(root->GetFrame()->GetMax());
    EXPECT_EQ(root->GetFrame()->GetPlLeft()->GetCol3(), 76);
    EXPECT_EQ(root->GetFrame()->GetPlHint()->GetHeight(), 262);
    EXPECT_TRUE(root->GetNodes()->Item(1)->GetDefaultExport());
}

TEST(Config, ChangesReachTheFileOnlyBySave) {
    TestDir dir;
    const std::string file = dir.Path("QuillfenConfig.xml");
    const Config config(file);
    auto node = config.Root()->GetNodes()->Item(1);
    node->SetVisible(false);
    node->SetWidth(200);
    node->SetIndex(0);
    EXPECT_EQ(ReadWholeFile(file), DefaultConfigText);
    config.Save();

    const Config reloaded(file);
    auto saved = reloaded.Root()->GetNodes()->Item(1);
    EXPECT_FALSE(saved->GetVisible());
    EXPECT_EQ(saved->GetWidth(), 200);
    EXPECT_EQ(saved->GetIndex(), 0);
    EXPECT_EQ(FolderEntries(dir.Root()), std::vector<std::string>{"QuillfenConfig.xml"});
}

TEST(Config, APresentFileIsLoadedAsItIsEvenWhenSectionsAreMissing) {
    TestDir dir;
    dir.MakeFile("QuillfenConfig.xml", "<config/>");
    const Config config(dir.Path("QuillfenConfig.xml"));
    EXPECT_EQ(config.Root()->GetNodes()->Count(), 0);
    EXPECT_EQ(ReadWholeFile(dir.Path("QuillfenConfig.xml")), "<config/>");
}

TEST(Config, ABrokenFileFailsOnEveryLoadNamingItAndStaysUntouched) {
    for (const char* text : {"", "<config><nodes></config>", "<settings/>", "\xff\xfe<"}) {
        TestDir dir;
        dir.MakeFile("QuillfenConfig.xml", text);
        const std::string file = dir.Path("QuillfenConfig.xml");
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                Config config(file);
                FAIL() << text;
            } catch (const ParseError& error) {
                EXPECT_NE(std::string(error.what()).find(file), std::string::npos) << error.what();
            }
        }
        EXPECT_EQ(ReadWholeFile(file), text);
    }
}

TEST(Config, AFileThatCannotBeCreatedFailsWithTheSystemsCode) {
    TestDir dir;
    dir.MakeFile("file");
    try {
        Config config(dir.Path("file/QuillfenConfig.xml"));
        FAIL();
    } catch (const IOError& error) {
        EXPECT_EQ(error.Code(), ENOTDIR);
    }
}

TEST(Config, AProgramFolderThatCannotBeWrittenSendsANewFileToTheUsersFolder) {
    TestDir dir;
    dir.MakeFolders("program");
    dir.MakeFolders("kept");
    dir.MakeFile("kept/QuillfenConfig.xml", "<config/>");
    GiveToUnprivileged(dir.Root());
    ::chmod(dir.Path("program").c_str(), 0555);
    ::chmod(dir.Path("kept").c_str(), 0555);

    const std::string chosen = RunUnprivileged([&] {
        const std::string user = dir.Path("home/.config/Hollowsweep");
        const std::string readOnly = ChooseConfigFileName(dir.Path("program"), user);
        const Config config(readOnly);
        return readOnly + "\n" + ChooseConfigFileName(dir.Path("kept"), user) + "\n" +
               ChooseConfigFileName(dir.Root(), user);
    });
    EXPECT_EQ(chosen, dir.Path("home/.config/Hollowsweep/QuillfenConfig.xml") + "\n" +
                          dir.Path("kept/QuillfenConfig.xml") + "\n" +
                          dir.Path("QuillfenConfig.xml"));
    EXPECT_EQ(ReadWholeFile(dir.Path("home/.config/Hollowsweep/QuillfenConfig.xml")),
              DefaultConfigText);
}

// An installed program keeps its settings per user, even when root, who
// could write the system's folders, runs it.
TEST(Config, AProgramInTheSystemsFoldersKeepsItsSettingsInTheUsersFolder) {
    for (const char* folder : {"/usr/bin", "/usr/local/bin", "/bin"}) {
        EXPECT_EQ(ChooseConfigFileName(folder, "/home/someone/.config/Hollowsweep"),
                  "/home/someone/.config/Hollowsweep/QuillfenConfig.xml")
            << folder;
    }
}

TEST(Config, TheUsersFolderFollowsTheBaseDirectoryRules) {
    hollowsweep::test::ScopedEnvironment environment;
    environment.Set("HOME", "/home/someone");
    environment.Set("XDG_CONFIG_HOME", "/srv/settings");
    EXPECT_EQ(UserConfigFolder(), "/srv/settings/Hollowsweep");
    environment.Set("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(UserConfigFolder(), "/home/someone/.config/Hollowsweep");
    environment.Unset("XDG_CONFIG_HOME");
    EXPECT_EQ(UserConfigFolder(), "/home/someone/.config/Hollowsweep");
}

TEST(Config, ASaveThatCannotWriteKeepsThePreviousFileWhole) {
    TestDir dir;
    dir.MakeFolders("locked");
    dir.MakeFolders("full");
    const std::string locked = dir.Path("locked/QuillfenConfig.xml");
    const std::string full = dir.Path("full/QuillfenConfig.xml");
    const Config lockedConfig(locked);
    const Config fullConfig(full);
    for (const Config* config : {&lockedConfig, &fullConfig}) {
        config->Root()->GetNodes()->Item(0)->SetName(std::string(4096, 'x'));
    }
    GiveToUnprivileged(dir.Root());
    ::chmod(dir.Path("locked").c_str(), 0555);

    // A file size limit makes writes fail the way a full disk does.
    const std::string outcomes = RunUnprivileged([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const std::string first = SaveOutcome(lockedConfig);
        const rlimit limit{512, 512};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return first + "\n" + SaveOutcome(fullConfig);
    });
    EXPECT_EQ(outcomes, SystemErrorText(EACCES) + "\n" + SystemErrorText(EFBIG));
    EXPECT_EQ(ReadWholeFile(locked), DefaultConfigText);
    EXPECT_EQ(ReadWholeFile(full), DefaultConfigText);
    EXPECT_EQ(FolderEntries(dir.Path("full")), std::vector<std::string>{"QuillfenConfig.xml"});
}
