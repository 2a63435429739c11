// Work the tool stops before its end: a signal during the scan, and an output
// that can no longer be written while folders are being removed.

#include "CliRun.h"
#include "TestDir.h"
#include "core/platform/FileDescriptor.h"
#include "core/platform/WholeFile.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hollowsweep::test;
using hollowsweep::ReadWholeFile;
namespace fs = std::filesystem;

namespace {

// Starts the tool with its standard output on a file and its standard error
// on another one; its standard input is in.
pid_t Start(const std::vector<std::string>& arguments, const std::string& out,
            const std::string& err, const std::string& in = "/dev/null") {
    const pid_t child = ::fork();
    if (child == 0) {
        const int inFd = ::open(in.c_str(), O_RDONLY);
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(inFd, STDIN_FILENO);
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(errFd, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(HOLLOWSWEEP_CLI)};
        for (const auto& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(HOLLOWSWEEP_CLI, argv.data());
        ::_exit(127);
    }
    return child;
}

int ExitStatusOf(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The exit status, or -1 when the tool has not ended within ten seconds; it is
// then killed, so that a tool that cannot be stopped fails the test rather
// than hangs it.
int ExitStatusWithin(pid_t child) {
    for (int wait = 0; wait < 1000; ++wait) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

// Waits, ten seconds at most, until the tool's main thread sleeps on a pipe.
void WaitUntilItWaitsOnAPipe(pid_t child) {
    const std::string wchan = "/proc/" + std::to_string(child) + "/wchan";
    for (int wait = 0; wait < 1000; ++wait) {
        std::ifstream file(wchan);
        std::string where;
        std::getline(file, where);
        if (where.find("pipe") != std::string::npos || where == "wait_for_partner") {
            return;
        }
        ::usleep(10000);
    }
}

void MakeWideTree(const TestDir& dir, const std::string& folder, int count) {
    for (int i = 0; i < count; ++i) {
        fs::create_directories(dir.Path(folder + "/" + std::to_string(i)));
    }
}

} // namespace

// The temporary file of the list appears as the scan begins; a signal then
// stops the walk, drops that file, leaves the old list as it was, and the
// exit status says so.
TEST(Stop, ASignalDuringTheScanLeavesEverythingAsItWasAndExitsWith130) {
    TestDir dir;
    MakeWideTree(dir, "tree", 20000);
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal == SIGINT ? "SIGINT" : "SIGTERM");
        dir.MakeFile("out/list.txt", "the old list\n");
        const pid_t child =
            Start({"scan", "-q", "-j", "1", "-o", dir.Path("out/list.txt"), dir.Path("tree")},
                  dir.Path("stdout"), dir.Path("stderr"));
        // Ten seconds at most, should the tool end before the file appears.
        for (int wait = 0; wait < 20000 && std::distance(fs::directory_iterator(dir.Path("out")),
                                                         fs::directory_iterator()) < 2;
             ++wait) {
            ::usleep(500);
        }
        ::kill(child, signal);
        EXPECT_EQ(ExitStatusOf(child), 130);
        EXPECT_EQ(ReadWholeFile(dir.Path("out/list.txt")), "the old list\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("out")), fs::directory_iterator()),
                  1);
    }
}

// The printed list is the record of what was removed: once it cannot be
// written, no further folder is started, and the failure is named.
TEST(Stop, AnOutputThatCannotBeWrittenStopsTheRemoval) {
    if (::access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no /dev/full here";
    }
    TestDir dir;
    MakeWideTree(dir, "tree", 2000);
    const pid_t child =
        Start({"delete", "-j", "1", dir.Path("tree")}, "/dev/full", dir.Path("stderr"));
    EXPECT_EQ(ExitStatusOf(child), 2);
    EXPECT_EQ(ReadWholeFile(dir.Path("stderr")),
              "hollowsweep-cli: standard output: No space left on device\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("tree")), fs::directory_iterator()),
              1999);
}

// A tool waiting on another program can still be stopped: on a pipe that no
// one opens for reading, on a list that never ends, and, with a second
// signal, on a reader that stopped reading.
TEST(Stop, ASignalEndsAWaitOnAnotherProgram) {
    TestDir dir;
    MakeWideTree(dir, "tree", 20000);
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    {
        SCOPED_TRACE("an output pipe without a reader");
        const pid_t child = Start({"scan", "-q", "-o", dir.Path("pipe"), dir.Path("tree")},
                                  dir.Path("stdout"), dir.Path("stderr"));
        WaitUntilItWaitsOnAPipe(child);
        ::kill(child, SIGTERM);
        EXPECT_EQ(ExitStatusWithin(child), 130);
    }
    {
        SCOPED_TRACE("a list that never ends");
        // Held open for writing, so the list has a writer that never closes it.
        const hollowsweep::FileDescriptor writer(::open(dir.Path("pipe").c_str(), O_RDWR));
        const pid_t child = Start({"delete", "--from", "-", dir.Path("tree")}, dir.Path("stdout"),
                                  dir.Path("stderr"), dir.Path("pipe"));
        WaitUntilItWaitsOnAPipe(child);
        ::kill(child, SIGINT);
        EXPECT_EQ(ExitStatusWithin(child), 130);
        EXPECT_TRUE(dir.Exists("tree/0"));
    }
    {
        SCOPED_TRACE("a reader that stopped reading");
        const hollowsweep::FileDescriptor reader(
            ::open(dir.Path("pipe").c_str(), O_RDONLY | O_NONBLOCK));
        const pid_t child =
            Start({"scan", "-q", dir.Path("tree")}, dir.Path("pipe"), dir.Path("stderr"));
        WaitUntilItWaitsOnAPipe(child);
        ::kill(child, SIGTERM);
        ::usleep(100000);
        ::kill(child, SIGTERM);
        EXPECT_EQ(ExitStatusWithin(child), 130);
    }
}
