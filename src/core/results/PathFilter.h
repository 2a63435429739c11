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

    bool Matches(std::string_view path) const noexcept;
    // Whether every path this filter lets through, the wider one lets through
    // too: so as the user types on, only what is shown needs a look.
    bool Narrows(const PathFilter& wider) const noexcept;

private:
    std::string text_;
    bool glob_ = false;
    std::size_t anchor_ = std::string::npos;
};

} // namespace hollowsweep
