#include "core/config/WindowFrameSetting.h"

#include "TestDir.h"
#include "core/config/Config.h"
#include "core/errors/Errors.h"
#include "core/platform/WholeFile.h"

#include <gtest/gtest.h>

using namespace hollowsweep;
using hollowsweep::test::TestDir;

TEST(WindowFrameSetting, ThePlaceGoesIntoTheFrameAttributesAndReadsBack) {
    TestDir dir;
    const std::string file = dir.Path("config.xml");
    const WindowFrame placed{-20, 35, 1200, 700, false};
    std::string expected;
    {
        Config config(file);
        expected = config.Root()->Markup();
        EXPECT_EQ(ReadWindowFrame(*config.Root()), UnstoredWindowFrame);
        WriteWindowFrame(*config.Root(), placed);
        config.Save();
    }
    const std::string before = "max=\"True\" left=\"0\" top=\"0\" height=\"600\" width=\"800\"";
    expected.replace(expected.find(before), before.size(),
                     "max=\"False\" left=\"-20\" top=\"35\" height=\"700\" width=\"1200\"");
    EXPECT_EQ(ReadWholeFile(file), expected);
    EXPECT_EQ(ReadWindowFrame(*Config(file).Root()), placed);
}

TEST(WindowFrameSetting, APositionThatDoesNotReadIsAnErrorNamingIt) {
    const ConfigRootPtr root = ParseConfig(
        "<config><frame max=\"False\" left=\"west\" top=\"0\" height=\"1\" width=\"1\"/></config>",
        "config.xml");
    try {
        ReadWindowFrame(*root);
        ADD_FAILURE() << "west was accepted";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("left"), std::string::npos) << error.what();
    }
}
