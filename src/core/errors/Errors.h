#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace hollowsweep {

// The one family of errors the core raises; callers catch the base where they
// only need to report and the specific kind where they act on it.
class HollowsweepError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failed system call, with the system's error code and the path it concerned.
class IOError : public HollowsweepError {
public:
    IOError(std::string path, int code, const std::string& action);

    const std::string& Path() const noexcept { return path_; }
    int Code() const noexcept { return code_; }

private:
    std::string path_;
    int code_;
};

class ParseError : public HollowsweepError {
public:
    ParseError(const std::string& message, std::ptrdiff_t offset);

    std::ptrdiff_t Offset() const noexcept { return offset_; }

private:
    std::ptrdiff_t offset_;
};

class ConversionError : public HollowsweepError {
public:
    using HollowsweepError::HollowsweepError;
};

class IndexError : public HollowsweepError {
public:
    IndexError(long long index, std::size_t count);

    long long Index() const noexcept { return index_; }

private:
    long long index_;
};

// The system's text for an error code, as strerror gives it but thread-safe.
std::string SystemErrorText(int code);

} // namespace hollowsweep
