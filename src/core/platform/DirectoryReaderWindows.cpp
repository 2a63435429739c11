#include "core/platform/DirectoryReader.h"

namespace hollowsweep {

DirectoryReader::DirectoryReader() = default;

} // namespace hollowsweep
