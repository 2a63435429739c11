#include "core/platform/MessageCatalog.h"

namespace hollowsweep {

// No gettext runtime is built for Windows: messages stay in English.
void UseMessageCatalog() noexcept {}

} // namespace hollowsweep
