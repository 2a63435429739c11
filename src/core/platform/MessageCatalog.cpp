#include "core/platform/MessageCatalog.h"

#include "core/platform/ProgramLocation.h"
#include "core/product/Messages.h"

#include <clocale>
#include <libintl.h>
#include <string>
#include <string_view>

namespace hollowsweep {

namespace {

std::string CatalogueFolder() {
    const std::string executable = ExecutableFolder();
    const std::string_view buildTree = HOLLOWSWEEP_BUILD_DIR;
    if (executable.starts_with(std::string(buildTree) + "/")) {
        return std::string(buildTree) + "/locale";
    }
    return executable + "/../share/locale";
}

} // namespace

void UseMessageCatalog() noexcept {
    // Numbers, sorting and the bytes written stay as in the C locale; the
    // character type follows the user so that translations arrive whole.
    // Called at the start, before any thread.
    std::setlocale(LC_MESSAGES, ""); // NOLINT(concurrency-mt-unsafe)
    std::setlocale(LC_CTYPE, "");    // NOLINT(concurrency-mt-unsafe)
    try {
        ::bindtextdomain(MessageDomain, CatalogueFolder().c_str());
    } catch (...) {
        // Without its folder the catalogue is not found, and English shows.
        return;
    }
    ::bind_textdomain_codeset(MessageDomain, "UTF-8");
}

} // namespace hollowsweep
