// Prints what a result list of a million scanned entries costs: memory per
// entry, paths included, and the time to fill, sort and filter it.
#include "BenchSupport.h"
#include "core/results/ResultList.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

int main() {
    using namespace hollowsweep;
    constexpr std::size_t Entries = 1'000'000;
    const long before = bench::ResidentKilobytes();
    auto start = std::chrono::steady_clock::now();
    ResultList list;
    for (std::size_t i = 0; i < Entries; ++i) {
        // About 60 bytes, as paths under a photo archive or a build tree are.
        list.Append(ResultRecord::ForFolder("/srv/archive/photos/2019/holiday-album/raw-" +
                                            std::to_string(i * 7919 % Entries) + "/thumbs"));
    }
    const double fill = bench::SecondsSince(start);
    const long after = bench::ResidentKilobytes();
    start = std::chrono::steady_clock::now();
    list.Sort([](const ResultEntry& a,
                 const ResultEntry& b) { return a.Record.Path().compare(b.Record.Path()); },
              SortDirection::Ascending);
    const double sort = bench::SecondsSince(start);
    std::vector<std::pair<std::string, double>> keystrokes;
    for (const char* text : {"t", "th", "thumbs", "raw-12", "raw-123", "*raw-4?/*", ""}) {
        start = std::chrono::steady_clock::now();
        list.SetFilter(text);
        keystrokes.emplace_back(std::string(text) + "\" (" + std::to_string(list.ShownCount()) +
                                    " shown)",
                                bench::SecondsSince(start));
    }
    std::printf("entries            %zu\n", list.Count());
    std::printf("memory             %.1f MB (%.0f bytes an entry, paths included)\n",
                static_cast<double>(after - before) / 1024.0,
                static_cast<double>(after - before) * 1024.0 / Entries);
    std::printf("fill               %.3f s\n", fill);
    std::printf("sort by full path  %.3f s\n", sort);
    for (const auto& [text, seconds] : keystrokes) {
        std::printf("filter \"%s %.3f s\n", text.c_str(), seconds);
    }
}
