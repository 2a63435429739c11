#include "core/platform/ProgramLocation.h"

#include "core/errors/Errors.h"
#include "core/platform/FolderPaths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace hollowsweep {

namespace {

std::string HomeFolder() {
    // No thread of this program changes the environment or the user database.
    const char* home = std::getenv("HOME"); // NOLINT(concurrency-mt-unsafe)
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid()); // NOLINT(concurrency-mt-unsafe)
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

} // namespace

std::string ExecutableFolder() {
    const auto path = ReadLinkAt(AT_FDCWD, "/proc/self/exe");
    if (!path) {
        throw IOError("/proc/self/exe", errno, "cannot read");
    }
    const std::size_t slash = path->rfind('/');
    return slash == 0 ? "/" : path->substr(0, slash);
}

std::string UserConfigFolder() {
    // A relative value is to be ignored, as the XDG base directory rules say.
    const char* configHome = std::getenv("XDG_CONFIG_HOME"); // NOLINT(concurrency-mt-unsafe)
    const std::string base = configHome != nullptr && configHome[0] == '/'
                                 ? std::string(configHome)
                                 : HomeFolder() + "/.config";
    return base + "/Hollowsweep";
}

bool IsWritableFolder(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace hollowsweep
