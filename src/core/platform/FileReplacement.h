#pragma once

#include "core/platform/NativeHandle.h"

#include <optional>
#include <string>
#include <utility>

#if !defined(_WIN32)
#include <sys/types.h>
#endif

namespace hollowsweep {

// A file written whole before it takes its target's place. It is written
// under a temporary name beside the target, with the target's permission bits
// (never its set-id or sticky bits) and, where the caller may keep them, its
// owner and group; Commit flushes it to the disk and renames it over the
// target: readers see the old file or the new one, never a part. Until then
// the old file is untouched, and a replacement dropped without Commit leaves
// nothing behind.
//
// A target that is a link is resolved once, when the replacement is made: the
// file it leads to is replaced and the link stays a link. A link that another
// user owns in a shared sticky folder such as /tmp is refused (IOError). A
// target that is not a regular file (a pipe, a terminal, a device, also behind
// a link such as /dev/stdout) cannot be replaced: it is written directly.
class FileReplacement {
public:
    explicit FileReplacement(std::string target);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // Where the new content goes.
    const std::string& Path() const noexcept { return path_; }
    // Whether the target is written in place, being no regular file.
    bool WritesDirectly() const noexcept { return direct_; }
    // Creates the file at Path for writing; failures raise IOError naming the
    // target.
    OwnedHandle Create();
    // Makes the file written at Path the target; failures raise IOError.
    void Commit();

private:
    std::string target_;
    // The file the target leads to, which the new one replaces.
    std::string destination_;
    std::string path_;
    bool direct_ = false;
    bool committed_ = false;
#if !defined(_WIN32)
    bool replacesFile_ = false;
    uid_t owner_ = 0;
    gid_t group_ = 0;
    mode_t mode_ = 0666;
    // A descriptor of this process's own that the target names.
    std::optional<int> inherited_;
    // The device and inode of a pipe or device named as itself.
    std::optional<std::pair<dev_t, ino_t>> entry_;
#endif
};

} // namespace hollowsweep
