#pragma once

#include "core/config/ConfigBinding.h"

#include <memory>
#include <string>
#include <utility>

namespace hollowsweep {

// The program's configuration: the document parsed once from its file, kept
// in memory, changed through the typed binding and written back by Save.
class Config {
public:
    // Loads the file, writing the default text first when there is no file.
    // A file that cannot be written, read or parsed, or whose root is not
    // "config", raises an error naming it and is left as it was.
    explicit Config(std::string fileName);

    // A further handle to the one in-memory document.
    ConfigRootPtr Root() const { return root_; }
    // Writes the root element, without a declaration, over the file. A failed
    // save leaves the previous file whole.
    void Save() const;
    const std::string& ConfigFileName() const noexcept { return fileName_; }
    void WriteDefault() const;

private:
    std::string fileName_;
    ConfigRootPtr root_;
};

// A configuration file that is loaded when it is first needed, as the desktop
// program's first show needs it. A load that fails leaves nothing behind, so
// the next call starts again from the file. The program makes one and hands it
// to the windows; tests make one on a temporary file.
class LazyConfig {
public:
    explicit LazyConfig(std::string fileName)
        : fileName_(std::move(fileName)) {}

    Config& GetConfig();
    const std::string& FileName() const noexcept { return fileName_; }
    // Sets the file aside (SetAsideConfig) and drops what was loaded, so the
    // next GetConfig starts from the default text.
    void StartFromDefault();

private:
    std::string fileName_;
    std::unique_ptr<Config> config_;
};

// Where SetAsideConfig would keep fileName now: fileName + ".broken", or with
// a number after it where that name is taken.
std::string KeptConfigName(const std::string& fileName);
// Keeps the file's bytes under KeptConfigName and writes the default text
// over it, both through a temporary file and a rename. A file the caller may
// not write, or a write that fails (a read-only folder, a full disk), raises
// IOError and changes nothing.
void SetAsideConfig(const std::string& fileName);

// Beside the executable; in the user's configuration folder where the
// executable's folder cannot be written, or is one of the system's program
// folders (/usr, /bin, /sbin), and holds no configuration.
std::string ConfigFileName();
std::string ChooseConfigFileName(const std::string& programFolder, const std::string& userFolder);

} // namespace hollowsweep
