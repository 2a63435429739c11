#pragma once

#include <string>
#include <string_view>

namespace hollowsweep {

// What the list's filter box lets through: paths that contain the text, the
// letter case of a to z aside, or, when the text holds *, ? or [, paths that
// match it as a glob, * crossing /.
class PathFilter {
public:
    explicit PathFilter(std::string text);

    bool Matches(std::string_view path) const;

private:
    std::string text_;
    bool glob_ = false;
};

} // namespace hollowsweep
