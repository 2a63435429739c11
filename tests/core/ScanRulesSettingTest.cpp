#include "core/config/ScanRulesSetting.h"

#include "TestDir.h"
#include "core/config/Config.h"
#include "core/config/DefaultConfig.h"
#include "core/errors/Errors.h"
#include "core/platform/WholeFile.h"

#include <gtest/gtest.h>

using namespace hollowsweep;
using namespace std::chrono_literals;
using hollowsweep::test::TestDir;

namespace {

ScanRules EveryRule() {
    ScanRules rules;
    rules.ExcludedFolders = {".git", "cache*"};
    rules.JunkFiles = {"Thumbs.db", "<&\">"};
    rules.OneFileSystem = true;
    rules.MinimumAge = 7 * 24h;
    return rules;
}

} // namespace

TEST(ScanRulesSetting, AConfigurationWithoutRulesReadsAsNoneAndStaysByteForByte) {
    TestDir dir;
    const std::string file = dir.Path("config.xml");
    Config config(file);
    const std::string markup = config.Root()->Markup();
    EXPECT_EQ(ReadScanRules(*config.Root()), ScanRules{});
    EXPECT_EQ(config.Root()->Markup(), markup);
    EXPECT_EQ(ReadWholeFile(file), DefaultConfigText);
}

TEST(ScanRulesSetting, RulesGoInAnElementOfTheirOwnAndReadBackTheSame) {
    TestDir dir;
    const std::string file = dir.Path("config.xml");
    {
        Config config(file);
        WriteScanRules(*config.Root(), EveryRule());
        WriteScanRules(*config.Root(), EveryRule());
        config.Save();
    }
    const std::string saved = ReadWholeFile(file);
    EXPECT_TRUE(saved.ends_with("</sizerange><scanRules oneFileSystem=\"True\" olderThan=\"7d\">"
                                "<exclude name=\".git\"/><exclude name=\"cache*\"/>"
                                "<junk name=\"Thumbs.db\"/><junk name=\"&lt;&amp;&quot;>\"/>"
                                "</scanRules></config>"))
        << saved;
    Config reloaded(file);
    EXPECT_EQ(ReadScanRules(*reloaded.Root()), EveryRule());
    // The settings that were there before read as before.
    EXPECT_EQ(reloaded.Root()->GetNodes()->Count(), 2U);
    EXPECT_EQ(reloaded.Root()->GetFrame()->GetWidth(), 800);

    // With every rule off, the element goes and the file is as before.
    WriteScanRules(*reloaded.Root(), {});
    reloaded.Save();
    EXPECT_EQ(ReadWholeFile(file).find("scanRules"), std::string::npos);
    EXPECT_EQ(ReadScanRules(*Config(file).Root()), ScanRules{});

    // Protection is on unless the element says otherwise, alone or with rules.
    ScanRules unprotected;
    unprotected.ProtectFolders = false;
    WriteScanRules(*reloaded.Root(), unprotected);
    reloaded.Save();
    EXPECT_TRUE(ReadWholeFile(file).ends_with(
        "</sizerange><scanRules protectFolders=\"False\"/></config>"));
    EXPECT_EQ(ReadScanRules(*Config(file).Root()), unprotected);
}

TEST(ScanRulesSetting, AValueThatDoesNotReadIsAnErrorNamingIt) {
    const struct {
        const char* attributes;
        const char* named;
    } cases[] = {{"olderThan=\"soon\"", "olderThan"},
                 {"oneFileSystem=\"maybe\"", "oneFileSystem"},
                 {"protectFolders=\"no\"", "protectFolders"}};
    for (const auto& [attributes, named] : cases) {
        const ConfigRootPtr root = ParseConfig(
            std::string("<config><scanRules ") + attributes + "/></config>", "config.xml");
        try {
            ReadScanRules(*root);
            ADD_FAILURE() << attributes << " was accepted";
        } catch (const ConversionError& error) {
            EXPECT_NE(std::string(error.what()).find(named), std::string::npos) << error.what();
        }
    }
    // Names left empty mean nothing rather than every name.
    const ConfigRootPtr root = ParseConfig(
        "<config><scanRules><exclude/><junk name=\"\"/></scanRules></config>", "config.xml");
    EXPECT_EQ(ReadScanRules(*root), ScanRules{});
}
