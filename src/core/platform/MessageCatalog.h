#pragma once

namespace hollowsweep {

// Takes the user's language for messages, and only for messages, and finds
// the catalogue: beside an executable run from its build tree, else in the
// installation's share/locale.
void UseMessageCatalog() noexcept;

} // namespace hollowsweep
