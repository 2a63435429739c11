#pragma once

#include "cli/ExitStatus.h"
#include "core/rules/ScanRules.h"

#include <atomic>
#include <string>
#include <vector>

namespace hollowsweep::cli {

// How the folders are walked, for scan and delete alike.
struct WalkSettings {
    bool Quiet = false;
    unsigned Threads = 0;
    ScanRules Rules;
    // Set by Ctrl-C or SIGTERM, or to stop the work: no folder is started
    // after it, and nothing of an unfinished scan is reported.
    std::atomic<bool>* Stop = nullptr;
};

struct ScanRequest {
    std::vector<std::string> Folders;
    bool NullSeparated = false;
    std::string Format = "list";
    std::string ConfigFile;
    std::string Output;
    // Print the folders kept for other programs, with the reason, in place
    // of the list.
    bool ListProtected = false;
    WalkSettings Walk;
};

struct DeleteRequest {
    std::vector<std::string> Folders;
    bool DryRun = false;
    bool NullSeparated = false;
    // The folders to remove, one path a line (NUL-separated with
    // NullSeparated), "-" for standard input; empty to remove what a scan finds.
    std::string FromFile;
    WalkSettings Walk;
};

ExitStatus RunScan(const ScanRequest& request);
ExitStatus RunDelete(const DeleteRequest& request);

} // namespace hollowsweep::cli
