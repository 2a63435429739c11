#pragma once

namespace hollowsweep::cli {

enum ExitStatus : int {
    ExitOk = 0,
    ExitNotAllRemoved = 1,
    ExitUsage = 2,
    // As a shell reports a command ended by Ctrl-C.
    ExitInterrupted = 130,
};

inline constexpr const char* ProgramName = "hollowsweep-cli";

} // namespace hollowsweep::cli
