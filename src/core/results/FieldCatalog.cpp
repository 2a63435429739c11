#include "core/results/FieldCatalog.h"

namespace hollowsweep {

FieldIndex FieldIndexOf(std::string_view name) noexcept {
    FieldIndex result = 0;
    for (std::size_t i = 0; i < FieldCount; ++i) {
        if (name == FieldNames[i]) {
            result = static_cast<FieldIndex>(i);
        }
    }
    return result;
}

} // namespace hollowsweep
