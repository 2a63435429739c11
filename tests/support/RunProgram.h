#pragma once

#include <string>
#include <vector>

namespace hollowsweep::test {

struct ProgramResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs a program with arguments, no standard input, and collects its output.
// With unprivileged set, it runs as the unprivileged user when tests run as root.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         bool unprivileged = false);

} // namespace hollowsweep::test
