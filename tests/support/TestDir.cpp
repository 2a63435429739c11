#include "TestDir.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace hollowsweep::test {

TestDir::TestDir() {
    std::string pattern = (fs::temp_directory_path() / "hollowsweep-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    root_ = buffer.data();
}

TestDir::~TestDir() {
    RemoveTree(root_);
}

std::string TestDir::Path(std::string_view relative) const {
    return relative.empty() ? root_ : root_ + "/" + std::string(relative);
}

void TestDir::MakeFolders(std::string_view relative) const {
    fs::create_directories(Path(relative));
}

void TestDir::MakeFile(std::string_view relative, std::string_view text) const {
    const fs::path path = Path(relative);
    fs::create_directories(path.parent_path());
    WriteFile(path, text);
}

void WriteFile(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void TestDir::MakeLink(std::string_view relative, const std::string& target) const {
    const fs::path path = Path(relative);
    fs::create_directories(path.parent_path());
    fs::create_symlink(target, path);
}

void TestDir::MakeChain(const std::string& name, int levels) const {
    int fd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < levels && fd >= 0; ++level) {
        if (::mkdirat(fd, name.c_str(), 0755) != 0) {
            ::close(fd);
            throw std::runtime_error("cannot make the chain's level " + std::to_string(level));
        }
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    if (fd < 0) {
        throw std::runtime_error("cannot open the chain");
    }
    ::close(fd);
}

void TestDir::SetModified(std::string_view relative, std::time_t when) const {
    const timespec times[2] = {{when, 0}, {when, 0}};
    if (::utimensat(AT_FDCWD, Path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        throw std::runtime_error("cannot set the time of " + Path(relative));
    }
}

bool TestDir::Exists(std::string_view relative) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(Path(relative), error));
}

namespace {

// Descends by descriptor, so neither missing permissions nor paths longer than
// the system's limit leave anything behind.
void RemoveAt(int parentFd, const char* name) {
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        ::unlinkat(parentFd, name, 0);
        return;
    }
    ::fchmod(fd, 0700);
    DIR* listing = ::fdopendir(fd);
    if (listing == nullptr) {
        ::close(fd);
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view entryName(entry->d_name);
        if (entryName != "." && entryName != "..") {
            names.emplace_back(entryName);
        }
    }
    for (const auto& entryName : names) {
        RemoveAt(::dirfd(listing), entryName.c_str());
    }
    ::closedir(listing);
    ::unlinkat(parentFd, name, AT_REMOVEDIR);
}

} // namespace

void RemoveTree(const fs::path& path) {
    RemoveAt(AT_FDCWD, path.c_str());
}

} // namespace hollowsweep::test
