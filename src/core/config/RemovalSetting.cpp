#include "core/config/RemovalSetting.h"

#include "core/config/XMLValues.h"
#include "core/errors/Errors.h"

#include <string>
#include <string_view>

namespace hollowsweep {

namespace {

constexpr std::string_view RemovalTag = "removal";
constexpr std::string_view MoveToTrashAttribute = "moveToTrash";

} // namespace

bool ReadMoveToTrash(ConfigRoot& root) {
    if (root.CountChildElements(RemovalTag) == 0) {
        return false;
    }
    const XMLNodePtr element = root.ChildElement(RemovalTag, 0);
    if (!element->HasAttribute(MoveToTrashAttribute)) {
        return false;
    }
    try {
        return TextToBoolean(element->Attribute(MoveToTrashAttribute));
    } catch (const ConversionError& error) {
        throw ConversionError("<" + std::string(RemovalTag) + "> " +
                              std::string(MoveToTrashAttribute) + ": " + error.what());
    }
}

void WriteMoveToTrash(ConfigRoot& root, bool moveToTrash) {
    while (root.CountChildElements(RemovalTag) > 0) {
        root.RemoveChild(*root.ChildElement(RemovalTag, 0));
    }
    if (moveToTrash) {
        root.AppendChild(RemovalTag)->SetAttribute(MoveToTrashAttribute, BooleanToText(true));
    }
}

} // namespace hollowsweep
