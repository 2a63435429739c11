#include "platform/TextOutput.h"

#include "errors/Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace hollowsweep {

TTextOutput::TTextOutput(std::string path)
    : path_(std::move(path))
    , file_(::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {
    if (!file_) {
        throw TIOError(path_, errno, "cannot create");
    }
    buffer_.reserve(FlushSize + FlushSize / 2);
}

void TTextOutput::Reserve(std::size_t size) {
    if (!file_) {
        buffer_.reserve(size);
    }
}

void TTextOutput::Flush() {
    std::string_view pending = buffer_;
    while (!pending.empty()) {
        const ssize_t bytes = ::write(file_.Get(), pending.data(), pending.size());
        if (bytes < 0 && errno == EINTR) {
            continue;
        }
        if (bytes < 0) {
            throw TIOError(path_, errno, "cannot write");
        }
        pending.remove_prefix(static_cast<std::size_t>(bytes));
    }
    buffer_.clear();
}

void TTextOutput::Close() {
    if (!file_) {
        return;
    }
    Flush();
    if (::close(file_.Release()) != 0) {
        throw TIOError(path_, errno, "cannot write");
    }
}

} // namespace hollowsweep
