#pragma once

#include "core/platform/FileDescriptor.h"

#include <string>

namespace hollowsweep {

// A file written whole before it takes its target's place. It is written
// under a temporary name beside the target, with the target's permission bits,
// and Commit flushes it to the disk and renames it over the target: readers
// see the old file or the new one, never a part. Until then the old file is
// untouched, and a replacement dropped without Commit leaves nothing behind.
// A target that exists and is not a regular file (a pipe, a device, a link
// such as /dev/stdout) cannot be replaced: it is written directly.
class FileReplacement {
public:
    explicit FileReplacement(std::string target);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // Where the new content goes.
    const std::string& Path() const noexcept { return path_; }
    // Creates the file at Path for writing; failures raise IOError naming the
    // target.
    FileDescriptor Create();
    // Makes the file written at Path the target; failures raise IOError.
    void Commit();

private:
    std::string target_;
    std::string path_;
    bool direct_;
    bool committed_ = false;
};

} // namespace hollowsweep
