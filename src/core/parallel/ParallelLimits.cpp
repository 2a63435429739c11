#include "core/parallel/ParallelLimits.h"

#include "core/platform/FolderPaths.h"

namespace hollowsweep {

namespace {
// Descriptors left for the rest of the process while folders are held open.
constexpr std::size_t ReservedDescriptors = 64;
constexpr unsigned DefaultScanThreads = 16;
constexpr unsigned DefaultRemovalThreads = 16;
} // namespace

unsigned ScanThreadCount(unsigned requested) {
    return requested > 0 ? requested : DefaultScanThreads;
}

unsigned RemovalThreadCount(unsigned requested) {
    return requested > 0 ? requested : DefaultRemovalThreads;
}

std::size_t OpenFolderBudget(std::size_t requested) {
    if (requested > 0) {
        return requested;
    }
    const std::size_t limit = RaiseOpenFileLimit();
    return limit > 2 * ReservedDescriptors ? limit - ReservedDescriptors : limit / 2;
}

} // namespace hollowsweep
