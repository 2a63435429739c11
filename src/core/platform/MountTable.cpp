#include "core/platform/MountTable.h"

#include "core/errors/Errors.h"
#include "core/platform/WholeFile.h"

#include <optional>
#include <string_view>

namespace hollowsweep {

namespace {

// No mount table comes near this; a larger one is not read.
constexpr std::size_t TableLimit = std::size_t{16} << 20;

std::optional<std::string> ReadTable(const std::string& path) {
    try {
        return ReadFileWithin(path, TableLimit);
    } catch (const IOError&) {
        return std::nullopt;
    }
}

// Both tables write a blank, a tab, a line feed and a backslash in a path as
// three octal digits after a backslash.
std::string Unescaped(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](std::size_t at) {
            return at < field.size() && field[at] >= '0' && field[at] <= '7';
        };
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            text += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t begin = line.find_first_not_of(" \t", start);
        if (begin == std::string_view::npos) {
            break;
        }
        std::size_t end = line.find_first_of(" \t", begin);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        fields.push_back(line.substr(begin, end - begin));
        start = end;
    }
    return fields;
}

template <class Visit> void ForEachLine(std::string_view text, Visit&& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

std::vector<MountedFileSystem> MountedFileSystems() {
    std::vector<MountedFileSystem> mounts;
    const auto text = ReadTable("/proc/self/mountinfo");
    if (!text) {
        return mounts;
    }
    // ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [OPTIONAL...] - TYPE SOURCE ...
    ForEachLine(*text, [&mounts](std::string_view line) {
        const std::vector<std::string_view> fields = Fields(line);
        std::size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-") {
            ++separator;
        }
        if (separator + 1 < fields.size()) {
            mounts.push_back({Unescaped(fields[4]), std::string(fields[separator + 1])});
        }
    });
    return mounts;
}

std::vector<std::string> MountTablePoints(const std::string& path) {
    std::vector<std::string> points;
    const auto text = ReadTable(path);
    if (!text) {
        return points;
    }
    // SOURCE MOUNT-POINT TYPE OPTIONS ...
    ForEachLine(*text, [&points](std::string_view line) {
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.size() < 3 || fields[0].starts_with('#') || fields[2] == "swap" ||
            !fields[1].starts_with('/')) {
            return;
        }
        points.push_back(Unescaped(fields[1]));
    });
    return points;
}

} // namespace hollowsweep
