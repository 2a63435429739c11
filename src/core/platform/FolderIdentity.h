#pragma once

#include <cstdint>

struct stat;

namespace hollowsweep {

// Which folder a name stood for when it was seen: its device and inode. A
// folder renamed away and replaced by another, even one of the same name, has
// another identity. It is trivial, so that millions of scanned folders cost
// nothing until used: FolderIdentity{} is an unknown one.
struct FolderIdentity {
    std::uint64_t Device;
    std::uint64_t Inode;

    static FolderIdentity Of(const struct stat& status) noexcept;

    // Inode 0 names no file on the file systems Linux supports, so it marks
    // an identity that was never taken.
    bool Known() const noexcept { return Inode != 0; }
    bool operator==(const FolderIdentity&) const = default;
};

// The identity of the folder an open descriptor refers to, or an unknown one
// when it cannot be read.
FolderIdentity IdentityOf(int fd) noexcept;

} // namespace hollowsweep
