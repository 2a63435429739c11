#include "TestDir.h"
#include "core/config/Config.h"
#include "core/config/DefaultConfig.h"
#include "core/errors/Errors.h"
#include "core/platform/ProgramLocation.h"
#include "core/platform/WholeFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace hollowsweep;

TEST(LazyConfig, FailsAgainOnEachCallUntilTheFileLoadsThenStaysTheSame) {
    const hollowsweep::test::TestDir dir;
    const std::string file = dir.Path("QuillfenConfig.xml");
    LazyConfig lazy(file);
    hollowsweep::test::WriteFile(file, "<config>");
    EXPECT_THROW(lazy.GetConfig(), ParseError);
    EXPECT_THROW(lazy.GetConfig(), ParseError);
    EXPECT_EQ(ReadWholeFile(file), "<config>");

    ::unlink(file.c_str());
    Config& config = lazy.GetConfig();
    EXPECT_EQ(&lazy.GetConfig(), &config);
    EXPECT_EQ(config.Root()->GetNodes()->Count(), 2);
    EXPECT_EQ(ReadWholeFile(file), DefaultConfigText);
}

// The program's own file lives beside it, as the installed program's does
// where that folder may be written.
TEST(LazyConfig, TheProgramsFileLivesBesideTheProgram) {
    EXPECT_EQ(ConfigFileName(), ExecutableFolder() + "/QuillfenConfig.xml");
}
