#pragma once

namespace hollowsweep::cli {

// Parses the command line, runs the command and returns the exit status:
// 0 all went well, 1 some folder could not be removed, 2 usage or input error,
// 130 interrupted.
int RunCli(int argc, char** argv);

} // namespace hollowsweep::cli
