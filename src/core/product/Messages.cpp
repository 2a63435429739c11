#include "core/product/Messages.h"

#include "core/platform/ProgramLocation.h"

#include <clocale>
#include <libintl.h>
#include <string>
#include <string_view>

namespace hollowsweep {

namespace {

constexpr const char* Domain = "hollowsweep";

std::string CatalogueFolder() {
    const std::string executable = ExecutableFolder();
    const std::string_view buildTree = HOLLOWSWEEP_BUILD_DIR;
    if (executable.starts_with(std::string(buildTree) + "/")) {
        return std::string(buildTree) + "/locale";
    }
    return executable + "/../share/locale";
}

} // namespace

const char* Tr(const char* english) noexcept {
    return ::dgettext(Domain, english);
}

void UseMessageCatalog() noexcept {
    // Numbers, sorting and the bytes written stay as in the C locale; the
    // character type follows the user so that translations arrive whole.
    std::setlocale(LC_MESSAGES, "");
    std::setlocale(LC_CTYPE, "");
    try {
        ::bindtextdomain(Domain, CatalogueFolder().c_str());
    } catch (...) {
        // Without its folder the catalogue is not found, and English shows.
        return;
    }
    ::bind_textdomain_codeset(Domain, "UTF-8");
}

} // namespace hollowsweep
