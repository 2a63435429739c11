#pragma once

namespace hollowsweep::cli {

enum ExitStatus : int {
    ExitOk = 0,
    // Some folder could not be read or removed; the rest was done.
    ExitIncomplete = 1,
    ExitUsage = 2,
    // As a shell reports a command ended by Ctrl-C.
    ExitInterrupted = 130,
};

inline constexpr const char* ProgramName = "hollowsweep-cli";

} // namespace hollowsweep::cli
