#include "core/parallel/ParallelLimits.h"

#include "core/platform/FolderPaths.h"

#include <algorithm>

namespace hollowsweep {

namespace {
// Descriptors left for the rest of the process while folders are held open.
constexpr std::size_t ReservedDescriptors = 64;
constexpr unsigned DefaultScanThreads = 32;
constexpr unsigned DefaultRemovalThreads = 16;
// Descriptors per thread below which fewer threads run, asked for or not.
constexpr std::size_t DescriptorsPerThread = 8;
// What a walk or a removal holds whatever its threads: the standard streams,
// the starting folder and its parent, and an output file.
constexpr std::size_t FixedDescriptors = 6;
// What each thread opens on its own besides held folders: the folder it
// reads or removes, the one it steps to, and one more for a path looked up a
// piece at a time or a folder's junk files.
constexpr std::size_t ThreadDescriptors = 3;

unsigned AffordableThreads(unsigned wanted) {
    const std::size_t affordable = RaiseOpenFileLimit() / DescriptorsPerThread;
    return static_cast<unsigned>(std::clamp<std::size_t>(affordable, 1, wanted));
}
} // namespace

unsigned ScanThreadCount(unsigned requested) {
    return AffordableThreads(requested > 0 ? requested : DefaultScanThreads);
}

unsigned RemovalThreadCount(unsigned requested) {
    return AffordableThreads(requested > 0 ? requested : DefaultRemovalThreads);
}

std::size_t HeldFolderBudget(std::size_t requested, unsigned threads) {
    if (requested > 0) {
        return requested;
    }
    const std::size_t limit = RaiseOpenFileLimit();
    if (limit > 2 * ReservedDescriptors) {
        const std::size_t budget = limit - ReservedDescriptors;
        return budget - std::min<std::size_t>(budget / 2, 2 * std::size_t{threads});
    }
    // A tight limit: what is left once everything else has its share, which
    // may be nothing; then each folder is reached along its path.
    const std::size_t needed = FixedDescriptors + ThreadDescriptors * std::size_t{threads};
    return limit > needed ? limit - needed : 0;
}

} // namespace hollowsweep
