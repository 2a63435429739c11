#pragma once

#include "core/results/ResultList.h"

#include <chrono>

namespace hollowsweep::bench {

// The process's resident memory now, and the most it has held.
long ResidentKilobytes();
long PeakResidentKilobytes();

double SecondsSince(std::chrono::steady_clock::time_point start);

// A million scanned folders with paths of about 60 bytes, as under a photo
// archive or a build tree, in no sorted order.
ResultList MillionScannedEntries();

} // namespace hollowsweep::bench
