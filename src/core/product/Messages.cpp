#include "core/product/Messages.h"

#include <libintl.h>

namespace hollowsweep {

const char* Tr(const char* english) noexcept {
    return ::dgettext(MessageDomain, english);
}

} // namespace hollowsweep
