#include "config/Config.h"

#include "config/DefaultConfig.h"
#include "platform/ProgramLocation.h"
#include "platform/WholeFile.h"

#include <memory>

namespace hollowsweep {

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

TConfig::TConfig(std::string fileName)
    : fileName_(std::move(fileName)) {
    if (!FileExists(fileName_)) {
        WriteDefault();
    }
    root_ = LoadConfig(fileName_);
}

void TConfig::Save() const {
    ReplaceWholeFile(fileName_, root_->Markup());
}

void TConfig::WriteDefault() const {
    MakeFolders(FolderOf(fileName_));
    ReplaceWholeFile(fileName_, DefaultConfigText);
}

TConfig& GetConfig() {
    static std::unique_ptr<TConfig> instance;
    if (!instance) {
        instance = std::make_unique<TConfig>(ConfigFileName());
    }
    return *instance;
}

std::string ConfigFileName() {
    return ChooseConfigFileName(ExecutableFolder(), UserConfigFolder());
}

std::string ChooseConfigFileName(const std::string& programFolder, const std::string& userFolder) {
    const std::string besideProgram = programFolder + "/" + std::string(ConfigFileBaseName);
    if (FileExists(besideProgram) || IsWritableFolder(programFolder)) {
        return besideProgram;
    }
    return userFolder + "/" + std::string(ConfigFileBaseName);
}

} // namespace hollowsweep
