#include "app/DesktopTrash.h"

#include <gio/gio.h>
#include <memory>

namespace hollowsweep::app {

namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

} // namespace

std::optional<std::string> MoveToDesktopTrash(const std::string& path) {
    const std::unique_ptr<GFile, ObjectUnref> file(g_file_new_for_path(path.c_str()));
    GError* raw = nullptr;
    if (g_file_trash(file.get(), nullptr, &raw) != FALSE) {
        return std::nullopt;
    }
    const std::unique_ptr<GError, ErrorFree> error(raw);
    return std::string(error != nullptr ? error->message : "");
}

} // namespace hollowsweep::app
