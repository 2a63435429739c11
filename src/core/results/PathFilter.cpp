#include "core/results/PathFilter.h"

#include "core/rules/GlobPattern.h"

#include <algorithm>

namespace hollowsweep {

namespace {

char Folded(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A byte of the text that is no letter, so that it can be looked for as it
// is; one other than / where there is one, since every path is full of /.
std::size_t AnchorOf(const std::string& text) {
    std::size_t anchor = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsLetter(text[i]) && (anchor == std::string::npos || text[anchor] == '/')) {
            anchor = i;
        }
    }
    return anchor;
}

} // namespace

PathFilter::PathFilter(std::string text)
    : text_(std::move(text))
    , glob_(text_.find_first_of("*?[") != std::string::npos) {
    if (!glob_) {
        std::transform(text_.begin(), text_.end(), text_.begin(), Folded);
        anchor_ = AnchorOf(text_);
    }
}

bool PathFilter::Matches(std::string_view path) const noexcept {
    if (glob_) {
        return GlobMatches(text_, path);
    }
    const auto foldedEqual = [](char a, char b) {
        return Folded(a) == b;
    };
    if (anchor_ == std::string::npos) {
        return std::search(path.begin(), path.end(), text_.begin(), text_.end(), foldedEqual) !=
               path.end();
    }
    // The anchor is found many bytes at a time (memchr); the text is compared
    // only around it.
    for (std::size_t hit = path.find(text_[anchor_], anchor_); hit != std::string_view::npos;
         hit = path.find(text_[anchor_], hit + 1)) {
        const std::size_t start = hit - anchor_;
        if (start + text_.size() > path.size()) {
            return false;
        }
        if (std::equal(path.begin() + static_cast<std::ptrdiff_t>(start),
                       path.begin() + static_cast<std::ptrdiff_t>(start + text_.size()),
                       text_.begin(), foldedEqual)) {
            return true;
        }
    }
    return false;
}

bool PathFilter::Narrows(const PathFilter& wider) const noexcept {
    return !glob_ && !wider.glob_ && text_.find(wider.text_) != std::string::npos;
}

} // namespace hollowsweep
