#pragma once

#include "cli/ExitStatus.h"

#include <string>
#include <vector>

namespace hollowsweep::cli {

struct ScanRequest {
    std::vector<std::string> Folders;
    bool NullSeparated = false;
    std::string Format = "list";
    std::string ConfigFile;
    std::string Output;
    bool Quiet = false;
    unsigned Threads = 0;
};

struct DeleteRequest {
    std::vector<std::string> Folders;
    bool DryRun = false;
    bool NullSeparated = false;
    // The folders to remove, one path a line (NUL-separated with
    // NullSeparated), "-" for standard input; empty to remove what a scan finds.
    std::string FromFile;
    bool Quiet = false;
    unsigned Threads = 0;
};

ExitStatus RunScan(const ScanRequest& request);
ExitStatus RunDelete(const DeleteRequest& request);

} // namespace hollowsweep::cli
