#include "Unprivileged.h"

#include <filesystem>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace hollowsweep::test {

bool DropToUnprivileged() {
    return ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 &&
                                ::setresgid(UnprivilegedId, UnprivilegedId, UnprivilegedId) == 0 &&
                                ::setresuid(UnprivilegedId, UnprivilegedId, UnprivilegedId) == 0);
}

std::string RunUnprivileged(const std::function<std::string()>& work) {
    return RunInChild(DropToUnprivileged, work);
}

std::string RunInChild(const std::function<bool()>& prepare,
                       const std::function<std::string()>& work) {
    int channel[2];
    if (::pipe(channel) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (!prepare()) {
            ::_exit(3);
        }
        const std::string result = work();
        const bool written = ::write(channel[1], result.data(), result.size()) ==
                             static_cast<ssize_t>(result.size());
        ::_exit(written ? 0 : 4);
    }
    ::close(channel[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t bytes; (bytes = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(bytes));
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the child process failed");
    }
    return output;
}

void GiveToUnprivileged(const std::string& path) {
    if (::geteuid() != 0) {
        return;
    }
    namespace fs = std::filesystem;
    ::lchown(path.c_str(), UnprivilegedId, UnprivilegedId);
    for (const auto& entry : fs::recursive_directory_iterator(path)) {
        ::lchown(entry.path().c_str(), UnprivilegedId, UnprivilegedId);
    }
}

} // namespace hollowsweep::test
