#include "core/platform/TextOutput.h"

#include "core/errors/Errors.h"
#include "core/platform/WholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace hollowsweep {

TextOutput::TextOutput(std::string path)
    : path_(std::move(path)) {
    replacement_.emplace(path_);
    file_ = replacement_->Create();
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
    replacement_->Commit();
}

} // namespace hollowsweep
