#pragma once

#include <cstddef>

namespace hollowsweep {

// The threads a walk or a removal runs on: the number asked for, or by
// default one per processor core, at most eight.
unsigned ThreadCount(unsigned requested);

// The threads a removal runs on: the number asked for, or by default sixteen,
// whatever the number of cores. Removal waits on the disk's journal, not on
// the processor, and the disks measured here took on more removals in flight
// up to about that many.
unsigned RemovalThreadCount(unsigned requested);

// How many folders a walk or a removal may hold open to reach the folders
// below them without looking them up again: the number asked for, or by
// default what the descriptor limit allows, less a reserve for the rest of
// the process.
std::size_t OpenFolderBudget(std::size_t requested);

} // namespace hollowsweep
