#include "RunProgram.h"

#include "TestDir.h"
#include "Unprivileged.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace hollowsweep::test {

namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

[[noreturn]] void RunChild(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& out, const std::string& err, bool unprivileged) {
    const int null = ::open("/dev/null", O_RDONLY);
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    ::dup2(null, STDIN_FILENO);
    ::dup2(outFd, STDOUT_FILENO);
    ::dup2(errFd, STDERR_FILENO);
    // The program gets the three standard streams alone, as from a shell.
    ::close_range(3, ~0U, 0);
    if (unprivileged && !DropToUnprivileged()) {
        ::_exit(126);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

} // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         bool unprivileged) {
    const TestDir outputs;
    const std::string out = outputs.Path("out");
    const std::string err = outputs.Path("err");
    if (unprivileged) {
        GiveToUnprivileged(outputs.Root());
    }
    const pid_t child = ::fork();
    if (child == 0) {
        RunChild(program, arguments, out, err, unprivileged);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ProgramResult result;
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = ReadWhole(out);
    result.Err = ReadWhole(err);
    return result;
}

} // namespace hollowsweep::test
