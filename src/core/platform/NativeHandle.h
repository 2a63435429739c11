#pragma once

// The system's handle of an open folder or file, chosen at build time: a
// descriptor on Linux, a HANDLE on Windows. The layers above the platform
// hold folders as OwnedHandle and pass them on as NativeHandle, so that they
// never depend on which one it is.

#if defined(_WIN32)
#include "core/platform/FileHandle.h"
#else
#include "core/platform/FileDescriptor.h"

#include <fcntl.h>
#endif

namespace hollowsweep {

#if defined(_WIN32)
using NativeHandle = void*;
using OwnedHandle = FileHandle;
inline constexpr NativeHandle NoHandle = nullptr;
// A look-up relative to no open folder: the path is taken as it is given.
inline constexpr NativeHandle CurrentFolder = nullptr;
#else
using NativeHandle = int;
using OwnedHandle = FileDescriptor;
inline constexpr NativeHandle NoHandle = -1;
// A look-up relative to no open folder: a relative path starts at the
// working folder.
inline constexpr NativeHandle CurrentFolder = AT_FDCWD;
#endif

// A second handle of the same open folder or file, with its own lifetime;
// an invalid one, with errno set, on failure.
OwnedHandle Duplicate(NativeHandle handle) noexcept;

} // namespace hollowsweep
