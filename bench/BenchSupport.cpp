#include "BenchSupport.h"

#include <fstream>
#include <string>

namespace hollowsweep::bench {

namespace {

long StatusKilobytes(std::string_view field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::stol(line.substr(field.size()));
        }
    }
    return 0;
}

} // namespace

long ResidentKilobytes() {
    return StatusKilobytes("VmRSS:");
}

long PeakResidentKilobytes() {
    return StatusKilobytes("VmHWM:");
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

ResultList MillionScannedEntries() {
    constexpr std::size_t Entries = 1'000'000;
    ResultList list;
    for (std::size_t i = 0; i < Entries; ++i) {
        const std::string n = std::to_string(i * 7919 % Entries);
        list.Append(ResultRecord::ForFolder("/srv/archive/Photos/2019/holiday-album/raw-" + n +
                                            "/thumbs-" + n));
    }
    return list;
}

} // namespace hollowsweep::bench
