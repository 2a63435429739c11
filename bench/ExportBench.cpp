// Exports a million scanned entries in one format, as the desktop program's
// export command does, and prints the time against writing the same number of
// bytes with one write(), the file's size and the peak memory.
#include "BenchSupport.h"
#include "core/config/ConfigBinding.h"
#include "core/config/DefaultConfig.h"
#include "core/export/ExportCommand.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace hollowsweep;

class AnswerPath final : public IExportUI {
public:
    explicit AnswerPath(std::string path)
        : path_(std::move(path)) {}
    std::string ChooseSaveFile(std::string_view, std::string_view) override { return path_; }
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    void ShowWaitForm(bool) override {}
    void SetWaitMessage(std::string_view) override {}

private:
    std::string path_;
};

// Writing the same number of bytes with one write(): the floor an export is
// measured against. An export flushes its file to the disk before it takes
// the old one's place, so the floor that counts flushes too.
double TimeOneWrite(std::size_t bytes, const std::string& path, bool flushed) {
    const std::string text(bytes, 'x');
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()) ||
        (flushed && ::fsync(fd) != 0)) {
        std::perror(path.c_str());
    }
    ::close(fd);
    return bench::SecondsSince(start);
}

} // namespace

int main(int argc, char** argv) {
    const ExportFormat* format = argc == 3 ? FindExportFormat(argv[1]) : nullptr;
    if (format == nullptr) {
        std::fprintf(stderr, "usage: %s html|txt|csv|xml|xlsx|json FOLDER\n", argv[0]);
        return 2;
    }
    const std::string target = std::string(argv[2]) + "/out." + std::string(format->Name);
    const std::string floorTarget = std::string(argv[2]) + "/floor";

    const ResultList list = bench::MillionScannedEntries();
    const ConfigRootPtr config = ParseConfig(DefaultConfigText, "default configuration");
    const long listPeak = bench::PeakResidentKilobytes();
    // Page-cache writes vary from run to run, so the export and the plain
    // write take turns and the best of each counts.
    double best = 1e9;
    double bestFloor = 1e9;
    double bestFlushedFloor = 1e9;
    long long bytes = 0;
    long exportPeak = 0;
    for (int round = 0; round < 3; ++round) {
        XMLDocument document;
        AnswerPath ui(target);
        const auto start = std::chrono::steady_clock::now();
        RunExport(*format, list, *config, document, ui);
        best = std::min(best, bench::SecondsSince(start));
        if (round == 0) {
            exportPeak = bench::PeakResidentKilobytes();
        }
        struct stat status {};
        ::stat(target.c_str(), &status);
        bytes = status.st_size;
        ::unlink(target.c_str());
        bestFloor =
            std::min(bestFloor, TimeOneWrite(static_cast<std::size_t>(bytes), floorTarget, false));
        ::unlink(floorTarget.c_str());
        bestFlushedFloor = std::min(
            bestFlushedFloor, TimeOneWrite(static_cast<std::size_t>(bytes), floorTarget, true));
        ::unlink(floorTarget.c_str());
    }
    std::printf("%-5s %zu entries  %10lld bytes  export %.3f s  one write %.3f s (flushed %.3f s)  "
                "ratio %.2f (to the flushed write %.2f)  peak %.0f MB (list %.0f MB)\n",
                std::string(format->Name).c_str(), list.Count(), bytes, best, bestFloor,
                bestFlushedFloor, best / bestFloor, best / bestFlushedFloor, exportPeak / 1024.0,
                listPeak / 1024.0);
    return 0;
}
