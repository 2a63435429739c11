#include "cli/CliApp.h"

#include "cli/Commands.h"
#include "core/product/Product.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>

namespace hollowsweep::cli {

namespace {

void AddThreads(CLI::App& command, unsigned& threads, const char* description) {
    command.add_option("-j,--threads", threads, description)->check(CLI::Range(1U, 256U));
}

void AddScan(CLI::App& app, ScanRequest& request) {
    auto* scan = app.add_subcommand("scan", "List the empty folders at and below each FOLDER");
    scan->add_flag("-0,--null", request.NullSeparated, "End each path with NUL, not a line feed");
    scan->add_option("-f,--format", request.Format, "Output format")
        ->check(CLI::IsMember({"list", "txt", "csv", "html", "xml", "xlsx"}))
        ->capture_default_str();
    scan->add_option("-o,--output", request.Output,
                     "Write the export to FILE (standard output when absent or -)");
    scan->add_option("-c,--config", request.ConfigFile,
                     "Take the exported columns from this configuration file (never written)");
    scan->add_flag("-q,--quiet", request.Quiet, "Show no progress");
    AddThreads(*scan, request.Threads, "Threads that scan (default: one per core, at most 8)");
    scan->add_option("FOLDER", request.Folders, "Folders to scan")->required();
}

void AddDelete(CLI::App& app, DeleteRequest& request) {
    auto* remove = app.add_subcommand(
        "delete", "Remove the empty folders at and below each FOLDER, sub-folders first");
    remove->add_flag("-n,--dry-run", request.DryRun, "Only print what would be removed");
    remove->add_flag("-0,--null", request.NullSeparated,
                     "End each printed path with NUL, and read --from FILE NUL-separated");
    remove
        ->add_option("--from", request.FromFile,
                     "Remove exactly the folders listed in FILE (- for standard input) that "
                     "lie inside a FOLDER, each only if it is empty")
        ->option_text("FILE");
    remove->add_flag("-q,--quiet", request.Quiet, "Show no progress");
    AddThreads(*remove, request.Threads,
               "Threads that remove (default: 16; the scan before takes one per core)");
    remove->add_option("FOLDER", request.Folders, "Folders to clean up")->required();
}

} // namespace

int RunCli(int argc, char** argv) {
    CLI::App app("Finds folders that hold no file at any depth, and removes them.", ProgramName);
    app.set_version_flag("--version", std::string(ProgramName) + " " + std::string(ProgramVersion));
    app.require_subcommand(1);
    ScanRequest scan;
    DeleteRequest remove;
    AddScan(app, scan);
    AddDelete(app, remove);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version);
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "%s: %s\nRun '%s --help' for usage.\n", ProgramName, error.what(),
                     ProgramName);
        return ExitUsage;
    }
    try {
        return app.got_subcommand("scan") ? RunScan(scan) : RunDelete(remove);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", ProgramName, error.what());
        return ExitUsage;
    }
}

} // namespace hollowsweep::cli
