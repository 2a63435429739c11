#include "TestDir.h"
#include "config/Config.h"
#include "config/DefaultConfig.h"
#include "errors/Errors.h"
#include "platform/ProgramLocation.h"
#include "platform/WholeFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace hollowsweep;

// The one process-wide configuration lives beside this test program, as it
// lives beside the real one.
TEST(GetConfig, FailsAgainOnEachCallUntilTheFileLoadsThenStaysTheSame) {
    const std::string file = ExecutableFolder() + "/QuillfenConfig.xml";
    ASSERT_EQ(ConfigFileName(), file);
    hollowsweep::test::WriteFile(file, "<config>");
    EXPECT_THROW(GetConfig(), TParseError);
    EXPECT_THROW(GetConfig(), TParseError);
    EXPECT_EQ(ReadWholeFile(file), "<config>");

    ::unlink(file.c_str());
    TConfig& config = GetConfig();
    EXPECT_EQ(&GetConfig(), &config);
    EXPECT_EQ(config.Root()->GetNodes()->Count(), 2);
    EXPECT_EQ(ReadWholeFile(file), DefaultConfigText);
    ::unlink(file.c_str());
}
