#pragma once

#include "core/export/ExportUI.h"

#include <string>
#include <string_view>

namespace hollowsweep {

// What the main window asks of the user and tells them, in its dialogs. The
// desktop program answers with its own, tests with scripted replies.
class IUserPrompts {
public:
    virtual ~IUserPrompts() = default;

    // The folder chooser, starting in startIn; empty on cancel.
    virtual std::string ChooseFolder(const std::string& startIn) = 0;
    // A Yes/No question with the warning caption; true for Yes.
    virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // A message whose details (one line each) are shown on request.
    virtual void ShowReport(std::string_view text, std::string_view details,
                            std::string_view caption) = 0;
};

} // namespace hollowsweep
