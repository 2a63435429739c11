#pragma once

#include "RunProgram.h"
#include "TestDir.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace hollowsweep::test {

// The sanitizers' runtime needs address space and descriptors of its own, so
// runs under tight limits are left to the plain builds.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool UnderSanitizers = true;
#else
inline constexpr bool UnderSanitizers = false;
#endif

inline ProgramResult Cli(const std::vector<std::string>& arguments) {
    return RunProgram(HOLLOWSWEEP_CLI, arguments);
}

// The tool copied into a test's folder, where the unprivileged user may run it.
inline std::string UnprivilegedCli(const TestDir& dir) {
    std::string cli = dir.Path("hollowsweep-cli");
    std::filesystem::copy_file(HOLLOWSWEEP_CLI, cli);
    ::chmod(cli.c_str(), 0755);
    return cli;
}

inline std::string Lines(std::initializer_list<std::string> lines, char end = '\n') {
    std::string text;
    for (const auto& line : lines) {
        text += line + end;
    }
    return text;
}

inline std::vector<std::string> SplitLines(const std::string& text, char end = '\n') {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t stop; (stop = text.find(end, start)) != std::string::npos; start = stop + 1) {
        lines.push_back(text.substr(start, stop - start));
    }
    return lines;
}

// Removal prints its lines in the order its threads finish them.
inline std::vector<std::string> SortedLines(const std::string& text, char end = '\n') {
    std::vector<std::string> lines = SplitLines(text, end);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Whether no printed folder comes before a folder below it.
inline bool ChildrenFirst(const std::string& text, char end = '\n') {
    const std::vector<std::string> lines = SplitLines(text, end);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if (lines[j].starts_with(lines[i] + "/")) {
                return false;
            }
        }
    }
    return true;
}

} // namespace hollowsweep::test
