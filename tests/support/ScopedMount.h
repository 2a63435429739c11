#pragma once

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/mount.h>

namespace hollowsweep::test {

// Mounts a file system over a folder for one test and takes it away after,
// before the test's folder goes.
class ScopedMount {
public:
    ScopedMount(const char* source, const std::string& target, const char* type,
                unsigned long flags = 0) {
        if (::mount(source, target.c_str(), type, flags, nullptr) == 0) {
            target_ = target;
        } else {
            error_ = errno;
        }
    }
    ~ScopedMount() {
        if (!target_.empty()) {
            ::umount2(target_.c_str(), MNT_DETACH);
        }
    }
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;

    bool Mounted() const { return !target_.empty(); }
    std::string Error() const { return std::strerror(error_); }

private:
    std::string target_;
    int error_ = 0;
};

} // namespace hollowsweep::test
