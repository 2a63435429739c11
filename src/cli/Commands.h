#pragma once

#include "ExitStatus.h"

#include <string>
#include <vector>

namespace hollowsweep::cli {

struct TScanRequest {
    std::vector<std::string> Folders;
    bool NullSeparated = false;
    std::string Format = "list";
    std::string ConfigFile;
    std::string Output;
    bool Quiet = false;
};

struct TDeleteRequest {
    std::vector<std::string> Folders;
    bool DryRun = false;
    bool Quiet = false;
};

TExitStatus RunScan(const TScanRequest& request);
TExitStatus RunDelete(const TDeleteRequest& request);

} // namespace hollowsweep::cli
