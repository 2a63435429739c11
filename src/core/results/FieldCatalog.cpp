#include "results/FieldCatalog.h"

namespace hollowsweep {

TFieldIndex FieldIndexOf(std::string_view name) noexcept {
    TFieldIndex result = 0;
    for (std::size_t i = 0; i < FieldCount; ++i) {
        if (name == FieldNames[i]) {
            result = static_cast<TFieldIndex>(i);
        }
    }
    return result;
}

} // namespace hollowsweep
