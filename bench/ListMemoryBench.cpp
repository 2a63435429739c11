// Prints what a result list of a million scanned entries costs: memory per
// entry, paths included, and the time to fill, check and sort it.
#include "results/ResultList.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    using namespace hollowsweep;
    constexpr std::size_t Entries = 1'000'000;
    const long before = ResidentKilobytes();
    auto start = std::chrono::steady_clock::now();
    TResultList list;
    for (std::size_t i = 0; i < Entries; ++i) {
        // About 60 bytes, as paths under a photo archive or a build tree are.
        list.Append(TResultRecord::ForFolder("/srv/archive/photos/2019/holiday-album/raw-" +
                                             std::to_string(i * 7919 % Entries) + "/thumbs"));
    }
    const double fill = SecondsSince(start);
    const long after = ResidentKilobytes();
    start = std::chrono::steady_clock::now();
    list.Sort([](const TResultEntry& a,
                 const TResultEntry& b) { return a.Record.Path().compare(b.Record.Path()); },
              TSortDirection::Ascending);
    const double sort = SecondsSince(start);
    std::printf("entries            %zu\n", list.Count());
    std::printf("memory             %.1f MB (%.0f bytes an entry, paths included)\n",
                (after - before) / 1024.0, (after - before) * 1024.0 / Entries);
    std::printf("fill               %.3f s\n", fill);
    std::printf("sort by full path  %.3f s\n", sort);
}
