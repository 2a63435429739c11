#include "core/errors/Errors.h"

#include "core/product/Messages.h"

#include <cstring>

namespace hollowsweep {

IOError::IOError(std::string path, int code, const std::string& action)
    : HollowsweepError(path + ": " + Tr(action.c_str()) + ": " + SystemErrorText(code))
    , path_(std::move(path))
    , code_(code) {}

ParseError::ParseError(const std::string& message, std::ptrdiff_t offset)
    : HollowsweepError(message)
    , offset_(offset) {}

IndexError::IndexError(long long index, std::size_t count)
    : HollowsweepError("list index out of bounds (" + std::to_string(index) + "), count is " +
                       std::to_string(count))
    , index_(index) {}

std::string SystemErrorText(int code) {
    char buffer[256];
#ifdef _WIN32
    // The C runtime's own texts for its error codes; the buffer always ends
    // in a NUL, a text cut short where it is too long.
    ::strerror_s(buffer, sizeof buffer, code);
    return buffer;
#else
    // GNU strerror_r returns the text, which may or may not live in buffer.
    return ::strerror_r(code, buffer, sizeof buffer);
#endif
}

} // namespace hollowsweep
