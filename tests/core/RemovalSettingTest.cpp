#include "core/config/RemovalSetting.h"

#include "TestDir.h"
#include "core/config/Config.h"
#include "core/errors/Errors.h"
#include "core/platform/WholeFile.h"

#include <gtest/gtest.h>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

TEST(RemovalSetting, MoveToTrashIsKeptWhileSetAndLeavesNoTraceWhenCleared) {
    TestDir dir;
    const std::string file = dir.Path("config.xml");
    std::string untouched;
    {
        Config config(file);
        untouched = config.Root()->Markup();
        EXPECT_FALSE(ReadMoveToTrash(*config.Root()));
        WriteMoveToTrash(*config.Root(), true);
        WriteMoveToTrash(*config.Root(), true);
        config.Save();
    }
    EXPECT_TRUE(ReadWholeFile(file).ends_with("<removal moveToTrash=\"True\"/></config>"));
    Config reloaded(file);
    EXPECT_TRUE(ReadMoveToTrash(*reloaded.Root()));
    WriteMoveToTrash(*reloaded.Root(), false);
    reloaded.Save();
    EXPECT_EQ(ReadWholeFile(file), untouched);
}

TEST(RemovalSetting, AValueThatDoesNotReadIsAnErrorNamingIt) {
    const ConfigRootPtr root =
        ParseConfig("<config><removal moveToTrash=\"perhaps\"/></config>", "config.xml");
    try {
        ReadMoveToTrash(*root);
        ADD_FAILURE() << "perhaps was accepted";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("moveToTrash"), std::string::npos);
    }
}
