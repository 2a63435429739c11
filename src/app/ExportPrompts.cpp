#include "app/ExportPrompts.h"

#include "app/PathText.h"
#include "app/WaitWindow.h"

namespace hollowsweep::app {

std::string QtExportPrompts::ChooseSaveFile(std::string_view defaultExt, std::string_view filter) {
    return LocalPath(
        dialogs_.ChooseSaveFile(parent_, DisplayText(defaultExt), DisplayText(filter)));
}

bool QtExportPrompts::AskYesNo(std::string_view text, std::string_view caption) {
    return dialogs_.AskYesNo(parent_, DisplayText(text), DisplayText(caption));
}

void QtExportPrompts::ShowMessage(std::string_view text, std::string_view caption,
                                  MessageIcon icon) {
    dialogs_.ShowMessage(parent_, DisplayText(text), DisplayText(caption), icon);
}

void QtExportPrompts::ShowWaitForm(bool show) {
    wait_.ShowWaitForm(show);
}

void QtExportPrompts::SetWaitMessage(std::string_view message) {
    wait_.SetWaitMessage(DisplayText(message));
}

} // namespace hollowsweep::app
