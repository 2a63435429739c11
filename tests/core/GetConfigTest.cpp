#include "TestDir.h"
#include "core/config/Config.h"
#include "core/config/DefaultConfig.h"
#include "core/errors/Errors.h"
#include "core/platform/ProgramLocation.h"
#include "core/platform/WholeFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace hollowsweep;

// The one process-wide configuration lives beside this test program, as it
// lives beside the real one.
TEST(GetConfig, FailsAgainOnEachCallUntilTheFileLoadsThenStaysTheSame) {
    const std::string file = ExecutableFolder() + "/QuillfenConfig.xml";
    ASSERT_EQ(ConfigFileName(), file);
    hollowsweep::test::WriteFile(file, "<config>");
    EXPECT_THROW(GetConfig(), ParseError);
    EXPECT_THROW(GetConfig(), ParseError);
    EXPECT_EQ(ReadWholeFile(file), "<config>");

    ::unlink(file.c_str());
    Config& config = GetConfig();
    EXPECT_EQ(&GetConfig(), &config);
    EXPECT_EQ(config.Root()->GetNodes()->Count(), 2);
    EXPECT_EQ(ReadWholeFile(file), DefaultConfigText);
    ::unlink(file.c_str());
}
