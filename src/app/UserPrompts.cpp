#include "app/UserPrompts.h"

#include "app/PathText.h"

namespace hollowsweep::app {

std::string QtUserPrompts::ChooseFolder(const std::string& startIn) {
    const QString folder = dialogs_.ChooseFolder(parent_, DisplayText(startIn));
    return folder.isEmpty() ? std::string() : LocalPath(folder);
}

bool QtUserPrompts::AskYesNo(std::string_view text, std::string_view caption) {
    return dialogs_.AskYesNo(parent_, DisplayText(text), DisplayText(caption));
}

void QtUserPrompts::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    dialogs_.ShowMessage(parent_, DisplayText(text), DisplayText(caption), icon);
}

void QtUserPrompts::ShowReport(std::string_view text, std::string_view details,
                               std::string_view caption) {
    dialogs_.ShowReport(parent_, DisplayText(text), DisplayText(details), DisplayText(caption));
}

} // namespace hollowsweep::app
