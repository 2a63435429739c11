#include "cli/CliApp.h"

#include "cli/Commands.h"
#include "cli/Interruption.h"
#include "core/errors/Errors.h"
#include "core/export/ExportFormats.h"
#include "core/platform/MessageCatalog.h"
#include "core/product/Messages.h"
#include "core/product/Product.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace hollowsweep::cli {

namespace {

const CLI::Validator AgeText(
    [](std::string& text) {
        try {
            ParseAge(text);
            return std::string();
        } catch (const ConversionError& error) {
            return std::string(error.what());
        }
    },
    "AGE");

// The options that steer the walk, the same for scan and delete.
void AddWalkOptions(CLI::App& command, WalkSettings& walk, const char* threadsHelp) {
    ScanRules& rules = walk.Rules;
    command.add_flag("-q,--quiet", walk.Quiet, Tr("Show no progress"));
    command.add_option("-j,--threads", walk.Threads, threadsHelp)->check(CLI::Range(1U, 256U));
    command
        .add_option("-e,--exclude", rules.ExcludedFolders,
                    Tr("Never enter a folder whose name matches GLOB, or whose whole path does "
                       "where GLOB holds a /; it counts as content (repeatable)"))
        ->option_text("GLOB")
        ->allow_extra_args(false);
    command
        .add_option("--junk", rules.JunkFiles,
                    Tr("Regular files whose name matches GLOB do not count as content, and are "
                       "removed with their folder (repeatable)"))
        ->option_text("GLOB")
        ->allow_extra_args(false);
    command.add_flag_callback(
        "--junk-common",
        [&rules] {
            for (const auto name : CommonJunkFiles()) {
                rules.JunkFiles.emplace_back(name);
            }
        },
        Tr("The same for Thumbs.db, ehthumbs.db, desktop.ini and .DS_Store"));
    command.add_flag("-x,--one-file-system", rules.OneFileSystem,
                     Tr("Do not enter folders on other file systems; they count as content"));
    command.add_flag_callback(
        "--no-protect", [&rules] { rules.ProtectFolders = false; },
        Tr("Also list and remove folders that other programs need: version control data, "
           "submodules, mail folders, databases, mount points, packages' folders"));
    command
        .add_option_function<std::string>(
            "--older-than", [&rules](const std::string& age) { rules.MinimumAge = ParseAge(age); },
            Tr("Folders modified less than AGE ago (90m, 12h, 7d) count as content"))
        ->check(AgeText)
        ->option_text("AGE");
}

// The list, then every export format.
std::vector<std::string> FormatNames() {
    std::vector<std::string> names{"list"};
    for (const ExportFormat& format : ExportFormats()) {
        names.emplace_back(format.Name);
    }
    return names;
}

void AddScan(CLI::App& app, ScanRequest& request) {
    auto* scan = app.add_subcommand("scan", Tr("List the empty folders at and below each FOLDER"));
    scan->add_flag("-0,--null", request.NullSeparated,
                   Tr("End each path with NUL, not a line feed (list format only)"));
    scan->add_option("-f,--format", request.Format,
                     Tr("Output format; json is one array of objects with the fields the xml "
                        "export has, on one line"))
        ->check(CLI::IsMember(FormatNames()))
        ->capture_default_str();
    scan->add_option("-o,--output", request.Output,
                     Tr("Write the list or the export to FILE (standard output when absent or -)"));
    scan->add_option("-c,--config", request.ConfigFile,
                     Tr("Take the exported columns from this configuration file (never written)"));
    scan->add_flag("--list-protected", request.ListProtected,
                   Tr("Print the folders kept for other programs, each with a tab and the "
                      "reason, in place of the list"));
    AddWalkOptions(*scan, request.Walk, Tr("Threads that read folders (default: 32)"));
    scan->add_option("FOLDER", request.Folders, Tr("Folders to scan"))->required();
}

void AddDelete(CLI::App& app, DeleteRequest& request) {
    auto* remove = app.add_subcommand(
        "delete", Tr("Remove the empty folders at and below each FOLDER, sub-folders first"));
    remove->add_flag("-n,--dry-run", request.DryRun, Tr("Only print what would be removed"));
    remove->add_flag("-0,--null", request.NullSeparated,
                     Tr("End each printed path with NUL, and read --from FILE NUL-separated"));
    remove
        ->add_option("--from", request.FromFile,
                     Tr("Remove exactly the folders listed in FILE (- for standard input) that "
                        "lie inside a FOLDER, each only if it is empty"))
        ->option_text("FILE");
    AddWalkOptions(*remove, request.Walk,
                   Tr("Threads that read folders (default: 32) and remove them (default: 16)"));
    remove->add_option("FOLDER", request.Folders, Tr("Folders to clean up"))->required();
}

} // namespace

int RunCli(int argc, char** argv) {
    UseMessageCatalog();
    CLI::App app(Tr("Finds folders that hold no file at any depth, and removes them."),
                 ProgramName);
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
        std::fprintf(stderr, "%s: %s\n", ProgramName, error.what());
        std::fprintf(stderr, Tr("Run '%s --help' for usage.\n"), ProgramName);
        return ExitUsage;
    }
    const Interruption interruption;
    scan.Walk.Stop = &Interruption::Flag();
    remove.Walk.Stop = &Interruption::Flag();
    try {
        return app.got_subcommand("scan") ? RunScan(scan) : RunDelete(remove);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: %s\n", ProgramName, Tr("out of memory"));
        return ExitUsage;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", ProgramName, error.what());
        return ExitUsage;
    }
}

} // namespace hollowsweep::cli
