#pragma once

#include <cstddef>

namespace hollowsweep {

// The threads a scan runs on: the number asked for, or by default 32,
// whatever the number of cores; under a low descriptor limit fewer, asked for
// or not. On a cold cache each thread waits on the disk
// for most of its folders, and more reads in flight let the disk order them:
// on two cores here, 2 threads took 5.4 s for the mixed bench tree, 16 about
// 2.4 s and 32 about 2.0 s, while a warm cache lost under a tenth. Under a
// low descriptor limit the default is less, as each thread holds folders of
// its own.
unsigned ScanThreadCount(unsigned requested);

// The threads a removal runs on: the number asked for, or by default sixteen,
// whatever the number of cores; fewer under a low descriptor limit, asked for
// or not. Removal
// waits on the disk's journal, not on the processor, and the disks measured
// here took on more removals in flight up to about that many.
unsigned RemovalThreadCount(unsigned requested);

// How many folders a walk or a removal may hold open to reach the folders
// below them without looking them up again: the number asked for, or by
// default what the descriptor limit allows, less a reserve for the rest of
// the process and the two folders each of its threads holds on its own.
std::size_t HeldFolderBudget(std::size_t requested, unsigned threads);

} // namespace hollowsweep
