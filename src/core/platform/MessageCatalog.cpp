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
    std::setlocale(LC_MESSAGES, "");
    std::setlocale(LC_CTYPE, "");
    try {
        ::bindtextdomain(MessageDomain, CatalogueFolder().c_str());
    } catch (...) {
        // Without its folder the catalogue is not found, and English shows.
        return;
    }
    ::bind_textdomain_codeset(MessageDomain, "UTF-8");
}

} // namespace hollowsweep
