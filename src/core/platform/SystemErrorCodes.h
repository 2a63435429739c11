#pragma once

namespace hollowsweep {

// The layers above the platform judge a failure by its errno value
// (ENOTEMPTY keeps a folder, ENOENT means it is gone already) and show the C
// library's text for it. Windows reports its own codes: these give the errno
// value that means the same, EIO where none does.

// The errno value of a Win32 error code, as GetLastError gives it.
int ErrnoOfWin32Error(unsigned long error) noexcept;
// The errno value of the calling thread's last Win32 error.
int LastErrno() noexcept;

} // namespace hollowsweep
