#pragma once

#include <string>
#include <vector>

namespace hollowsweep {

// A file system mounted now, as the kernel lists it for this process.
struct MountedFileSystem {
    std::string MountPoint;
    std::string Type;
};

// The mounts of this process's mount namespace (/proc/self/mountinfo); none
// when that cannot be read.
std::vector<MountedFileSystem> MountedFileSystems();

// The mount points a mount table names (fstab's second field), without swap
// areas; none when the file cannot be read.
std::vector<std::string> MountTablePoints(const std::string& path = "/etc/fstab");

} // namespace hollowsweep
