#pragma once

#include "core/platform/NativeHandle.h"

#include <cstdint>

#if defined(_WIN32)
#include <array>
#endif

struct stat;

namespace hollowsweep {

// Which folder a name stood for when it was seen. A folder renamed away and
// replaced by another, even one of the same name, has another identity. It is
// trivial, so that millions of scanned folders cost nothing until used:
// FolderIdentity{} is an unknown one.
#if defined(_WIN32)
// Its volume's serial number and its file ID, all 128 bits of it, as file
// systems such as ReFS use them all.
struct FolderIdentity {
    std::uint64_t Device;
    std::array<std::uint8_t, 16> FileId;

    // No file system gives a file the ID 0.
    bool Known() const noexcept { return FileId != std::array<std::uint8_t, 16>{}; }
    bool operator==(const FolderIdentity&) const = default;
};
#else
// Its device and inode.
struct FolderIdentity {
    std::uint64_t Device;
    std::uint64_t Inode;

    static FolderIdentity Of(const struct stat& status) noexcept;

    // Inode 0 names no file on the file systems Linux supports, so it marks
    // an identity that was never taken.
    bool Known() const noexcept { return Inode != 0; }
    bool operator==(const FolderIdentity&) const = default;
};
#endif

// The identity of the folder an open handle refers to, or an unknown one
// when it cannot be read.
FolderIdentity IdentityOf(NativeHandle handle) noexcept;

} // namespace hollowsweep
