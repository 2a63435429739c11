#pragma once

#include "core/platform/FileReplacement.h"
#include "core/platform/NativeHandle.h"

#include <optional>
#include <string>
#include <string_view>

namespace hollowsweep {

// Where a long text goes piece by piece: into a string, or into a file through
// a buffer of a megabyte, so that a large export is never held whole. A file
// takes its target's place only once closed whole (see FileReplacement).
class TextOutput {
public:
    // Collects the text in memory; Text() gives it.
    TextOutput() = default;
    // Starts the new content of a file; failures raise IOError naming it.
    explicit TextOutput(std::string path);
    // Writes straight to an open descriptor of the caller's, such as standard
    // output, which stays open; failures raise IOError naming it name.
    TextOutput(int fd, std::string name);
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    void Append(std::string_view text) {
        buffer_.append(text);
        if (file_ && buffer_.size() >= FlushSize) {
            Flush();
        }
    }
    void Append(char c) { Append(std::string_view(&c, 1)); }
    // A size hint for text collected in memory.
    void Reserve(std::size_t size);

    std::string& Text() noexcept { return buffer_; }
    // Writes what is left, closes the file and puts it in its target's place;
    // a late error still counts. Without it the target stays as it was.
    void Close();

private:
    static constexpr std::size_t FlushSize = 1 << 20;

    void Flush();

    std::string path_;
    std::optional<FileReplacement> replacement_;
    OwnedHandle file_;
    std::string buffer_;
};

} // namespace hollowsweep
