#include "core/errors/Errors.h"

#include <cerrno>
#include <gtest/gtest.h>

using namespace hollowsweep;

namespace {

// Users read the path, what was tried and why it failed, in the words the
// system's C library uses on every platform the program is built for.
TEST(Errors, IOErrorNamesPathActionAndReason) {
    const IOError error("/data/reports", ENOENT, "Cannot open");
    EXPECT_STREQ(error.what(), "/data/reports: Cannot open: No such file or directory");
    EXPECT_EQ(error.Path(), "/data/reports");
    EXPECT_EQ(error.Code(), ENOENT);
    EXPECT_EQ(SystemErrorText(EACCES), "Permission denied");
}

} // namespace
