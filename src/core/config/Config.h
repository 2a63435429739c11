#pragma once

#include "core/config/ConfigBinding.h"

#include <string>

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

// The process's configuration, loaded on the first call. A call that fails
// leaves nothing behind, so the next one starts again from the file.
Config& GetConfig();

// Beside the executable; in the user's configuration folder where the
// executable's folder cannot be written and holds no configuration.
std::string ConfigFileName();
std::string ChooseConfigFileName(const std::string& programFolder, const std::string& userFolder);

} // namespace hollowsweep
