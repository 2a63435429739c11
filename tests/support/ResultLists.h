#pragma once

#include "core/results/ResultList.h"

#include <initializer_list>
#include <string_view>

namespace hollowsweep::test {

// A list of scanned folders, in the order given, all checked.
inline ResultList ListOf(std::initializer_list<std::string_view> paths) {
    ResultList list;
    for (const auto path : paths) {
        list.Append(ResultRecord::ForFolder(path));
    }
    return list;
}

} // namespace hollowsweep::test
