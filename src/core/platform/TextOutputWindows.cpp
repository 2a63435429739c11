#include "core/errors/Errors.h"
#include "core/platform/SystemErrorCodes.h"
#include "core/platform/TextOutput.h"
#include "core/platform/WholeFile.h"

#include <cerrno>
#include <io.h>
#include <windows.h>

namespace hollowsweep {

TextOutput::TextOutput(std::string path)
    : path_(std::move(path)) {
    replacement_.emplace(path_);
    file_ = replacement_->Create();
    buffer_.reserve(FlushSize + FlushSize / 2);
}

TextOutput::TextOutput(int fd, std::string name)
    : path_(std::move(name)) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) {
        throw IOError(path_, EBADF, "cannot write");
    }
    file_ = Duplicate(handle);
    if (!file_) {
        throw IOError(path_, errno, "cannot write");
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
    if (::CloseHandle(file_.Release()) == 0) {
        throw IOError(path_, LastErrno(), "cannot write");
    }
    if (replacement_) {
        replacement_->Commit();
    }
}

} // namespace hollowsweep
