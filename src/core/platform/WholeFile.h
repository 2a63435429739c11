#pragma once

#include "core/platform/NativeHandle.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hollowsweep {

// Reads a file's whole content; a failure raises IOError naming the file.
std::string ReadWholeFile(const std::string& path);
// The same for a file that must not hold more than limit bytes: none when it
// does, found without reading more than one byte past the limit, so that a
// huge file or an endless device (/dev/zero) costs no memory.
std::optional<std::string> ReadFileWithin(const std::string& path, std::size_t limit);
// The same for a file open already; path names it in errors.
std::optional<std::string> ReadFileWithin(const OwnedHandle& fd, const std::string& path,
                                          std::size_t limit);

// The same for the entry name in an open folder, when it is a regular file:
// none when it is missing, a link or anything else, so that no link leads the
// read elsewhere and no pipe put in its place stalls it.
std::optional<std::string> ReadRegularFileBelow(NativeHandle folder, const char* name,
                                                std::size_t limit);
// The whole of standard input, read to its end.
std::string ReadStandardInput();

// Writes text to a new file beside path and renames it over path, so readers
// see either the old content or the new one, never a part. On failure the old
// file is untouched and the new one is gone.
void ReplaceWholeFile(const std::string& path, std::string_view text);

// Writes all of text to an open file, resuming after interruptions.
void WriteAll(const OwnedHandle& fd, std::string_view text, const std::string& path);

bool FileExists(const std::string& path);

// 0 when this process may write to the file at path, else the errno value
// of the reason it may not.
int WhyNotWritable(const std::string& path) noexcept;

// 0 when the open file can be written with seeks, as a file on a disk can,
// else the errno value of the reason it cannot (a pipe, a terminal).
int WhyNotSeekable(NativeHandle file) noexcept;

// Removes the file at path, a link itself and not what it leads to; false,
// with errno set, on failure.
bool RemoveFile(const std::string& path) noexcept;

// Creates a folder and any missing folders above it.
void MakeFolders(const std::string& path);

} // namespace hollowsweep
