#include "core/results/PathFilter.h"

#include "core/platform/NameMatch.h"

#include <algorithm>

namespace hollowsweep {

namespace {

char Folded(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

PathFilter::PathFilter(std::string text)
    : text_(std::move(text))
    , glob_(text_.find_first_of("*?[") != std::string::npos) {
    if (!glob_) {
        std::transform(text_.begin(), text_.end(), text_.begin(), Folded);
    }
}

bool PathFilter::Matches(std::string_view path) const {
    if (glob_) {
        return MatchesWildcard(text_.c_str(), std::string(path).c_str());
    }
    return std::search(path.begin(), path.end(), text_.begin(), text_.end(),
                       [](char a, char b) { return Folded(a) == b; }) != path.end();
}

} // namespace hollowsweep
