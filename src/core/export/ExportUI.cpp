#include "core/export/ExportUI.h"

#include "core/platform/WholeFile.h"
#include "core/product/Messages.h"

namespace hollowsweep {

std::string AskSaveFileName(IExportUI& ui, std::string_view defaultExt, std::string_view filter) {
    std::string path = ui.ChooseSaveFile(defaultExt, filter);
    if (path.empty()) {
        return {};
    }
    if (FileExists(path) &&
        !ui.AskYesNo(Tr("Catalog with the same name already exists,overwrite?"), Tr("Warning"))) {
        return {};
    }
    // The old file stays until the new one is whole and takes its place.
    return path;
}

std::string GetCatalogName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return std::string(name.substr(0, name.find('.')));
}

} // namespace hollowsweep
