#pragma once

#include "core/platform/TextOutput.h"
#include "core/results/ResultList.h"

#include <string>
#include <string_view>

namespace hollowsweep {

// The list as one JSON array for scripts: an object per entry, in list order,
// whose members are the entry's non-empty fields in catalogue order, named as
// the result document names its attributes ("FileName", "FullPath", ...), so
// an entry carries what its XML element carries. Compact, with a line feed
// after the array. Written piece by piece, so no document of the whole list
// is ever built.
void WriteJSON(TextOutput& out, const ResultList& list);

// Text that JSON can carry: text itself when it is valid UTF-8, else a copy in
// scratch where each byte that starts no valid sequence is U+FFFD, as in the
// result document. Unlike there, control characters and noncharacters stay:
// JSON escapes the one and allows the other.
std::string_view ToValidUTF8(std::string_view text, std::string& scratch);

} // namespace hollowsweep
