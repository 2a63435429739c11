#include "core/config/Config.h"

#include "core/config/DefaultConfig.h"
#include "core/errors/Errors.h"
#include "core/platform/EntryStatus.h"
#include "core/platform/FolderPaths.h"
#include "core/platform/ProgramLocation.h"
#include "core/platform/WholeFile.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <memory>
#include <string_view>

namespace hollowsweep {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The package manager's folders: root may write them, but a file left there
// by a run belongs to no package and outlives the program's removal.
bool IsSystemProgramFolder(std::string_view folder) {
    constexpr std::string_view Systems[] = {"/usr", "/bin", "/sbin"};
    return std::any_of(std::begin(Systems), std::end(Systems), [folder](std::string_view system) {
        return folder == system || (folder.starts_with(system) && folder[system.size()] == '/');
    });
}

} // namespace

Config::Config(std::string fileName)
    : fileName_(std::move(fileName)) {
    if (!FileExists(fileName_)) {
        WriteDefault();
    }
    root_ = LoadConfig(fileName_);
}

void Config::Save() const {
    ReplaceWholeFile(fileName_, root_->Markup());
}

void Config::WriteDefault() const {
    MakeFolders(FolderOf(fileName_));
    ReplaceWholeFile(fileName_, DefaultConfigText);
}

Config& LazyConfig::GetConfig() {
    if (!config_) {
        config_ = std::make_unique<Config>(fileName_);
    }
    return *config_;
}

void LazyConfig::StartFromDefault() {
    SetAsideConfig(fileName_);
    config_.reset();
}

std::string KeptConfigName(const std::string& fileName) {
    // A file kept from an earlier start is never written over; a dangling
    // link is a name taken too.
    const auto taken = [](const std::string& name) {
        return StatusAt(CurrentFolder, name.c_str()).has_value();
    };
    std::string kept = fileName + ".broken";
    for (int number = 1; taken(kept); ++number) {
        kept = fileName + ".broken." + std::to_string(number);
    }
    return kept;
}

void SetAsideConfig(const std::string& fileName) {
    // A file made read-only is one its owner means to keep as it is.
    if (const int error = WhyNotWritable(fileName); error != 0) {
        throw IOError(fileName, error, "cannot replace");
    }
    const std::string kept = KeptConfigName(fileName);
    ReplaceWholeFile(kept, ReadWholeFile(fileName));
    try {
        ReplaceWholeFile(fileName, DefaultConfigText);
    } catch (const IOError&) {
        RemoveFile(kept);
        throw;
    }
}

std::string ConfigFileName() {
    return ChooseConfigFileName(ExecutableFolder(), UserConfigFolder());
}

std::string ChooseConfigFileName(const std::string& programFolder, const std::string& userFolder) {
    std::string besideProgram = programFolder + PathSeparator + std::string(ConfigFileBaseName);
    if (FileExists(besideProgram) ||
        (!IsSystemProgramFolder(programFolder) && IsWritableFolder(programFolder))) {
        return besideProgram;
    }
    return userFolder + PathSeparator + std::string(ConfigFileBaseName);
}

} // namespace hollowsweep
