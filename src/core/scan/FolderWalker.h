#pragma once

#include "core/scan/ScanOptions.h"

#include <string>
#include <string_view>

namespace hollowsweep {

// Finds the folders at and below one folder that hold no file at any depth.
//
// Folders are read by several threads into a tree of nodes; once every folder
// is read, one ordered pass decides which are empty and reports them in the
// order a one-thread depth-first walk would: sub-folders before their folder,
// siblings in the file system's listing order, the starting folder last.
//
// Anything that is not a folder is content, links included, and links are
// never followed below the starting folder. A folder that cannot be listed is
// content too: the walk never calls a folder empty without having looked.
// The scan rules narrow this: see ScanRules. Folders that other programs need
// are kept (see ProtectedFolders.h): they go to kept where they hold no file.
class FolderWalker {
public:
    explicit FolderWalker(ScanOptions options);

    // False when cancelled before the folders were all read; then nothing at
    // all is reported.
    bool Walk(std::string_view folder, const EmptyFolderSink& sink,
              const UnreadableFolderSink& unreadable = {}, const ProtectedFolderSink& kept = {});

private:
    ScanOptions options_;
};

} // namespace hollowsweep
