#pragma once

namespace hollowsweep {

// A link is Other whatever it points to; File is a regular file.
enum class EntryKind { Folder, File, Other };

} // namespace hollowsweep
