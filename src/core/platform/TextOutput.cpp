#include "core/platform/TextOutput.h"

#include "core/errors/Errors.h"
#include "core/platform/WholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace hollowsweep {

TextOutput::TextOutput(std::string path)
    : path_(std::move(path))
    , file_(::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {
    if (!file_) {
        throw IOError(path_, errno, "cannot create");
    }
    buffer_.reserve(FlushSize + FlushSize / 2);
}

void TextOutput::Reserve(std::size_t size) {
    if (!file_) {
        buffer_.reserve(size);
    }
}

void TextOutput::Flush() {
    WriteAll(file_, buffer_, path_);
    buffer_.clear();
}

void TextOutput::Close() {
    if (!file_) {
        return;
    }
    Flush();
    if (::close(file_.Release()) != 0) {
        throw IOError(path_, errno, "cannot write");
    }
}

} // namespace hollowsweep
