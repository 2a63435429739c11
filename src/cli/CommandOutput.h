#pragma once

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "core/scan/ScanOptions.h"

#include <string>
#include <string_view>
#include <vector>

namespace hollowsweep::cli {

// One line on standard error: the program's name, what it concerns, why.
void ReportError(std::string_view subject, std::string_view reason);

// Names the first argument that is not an existing folder, or that leads
// through a link another user owns.
bool AllAreFolders(const std::vector<std::string>& folders);

// True when path leads to a pipe, which may keep the tool waiting for a reader.
bool IsPipe(const std::string& path);

// A path and its terminator on standard output.
void WritePath(std::string_view path, char terminator);

// Flushes standard output; a failure there is reported and is a usage-class exit.
ExitStatus FlushOutput();

// Walks every folder, keeping the progress line in step with the output, and
// names each folder that could not be read on standard error, as find does.
// Returns ExitIncomplete when there was one, else ExitOk, and
// ExitInterrupted when the walk was stopped. kept hears the folders kept for
// other programs.
ExitStatus ScanFolders(const std::vector<std::string>& folders, const WalkSettings& walk,
                       const EmptyFolderSink& sink, const ProtectedFolderSink& kept = {});

} // namespace hollowsweep::cli
