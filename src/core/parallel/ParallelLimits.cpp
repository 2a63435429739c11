#include "core/parallel/ParallelLimits.h"

#include "core/platform/FolderPaths.h"

#include <algorithm>

namespace hollowsweep {

namespace {
// Descriptors left for the rest of the process while folders are held open.
constexpr std::size_t ReservedDescriptors = 64;
constexpr unsigned DefaultScanThreads = 32;
constexpr unsigned DefaultRemovalThreads = 16;
// Descriptors per thread below which fewer threads run by default.
constexpr std::size_t DescriptorsPerThread = 8;

unsigned DefaultThreads(unsigned preferred) {
    const std::size_t affordable = RaiseOpenFileLimit() / DescriptorsPerThread;
    return static_cast<unsigned>(std::clamp<std::size_t>(affordable, 1, preferred));
}
} // namespace

unsigned ScanThreadCount(unsigned requested) {
    return requested > 0 ? requested : DefaultThreads(DefaultScanThreads);
}

unsigned RemovalThreadCount(unsigned requested) {
    return requested > 0 ? requested : DefaultThreads(DefaultRemovalThreads);
}

std::size_t HeldFolderBudget(std::size_t requested, unsigned threads) {
    if (requested > 0) {
        return requested;
    }
    const std::size_t limit = RaiseOpenFileLimit();
    const std::size_t budget =
        limit > 2 * ReservedDescriptors ? limit - ReservedDescriptors : limit / 2;
    return budget - std::min<std::size_t>(budget / 2, 2 * std::size_t{threads});
}

} // namespace hollowsweep
