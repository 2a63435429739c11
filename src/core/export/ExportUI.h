#pragma once

#include <string>
#include <string_view>

namespace hollowsweep {

enum class MessageIcon { None, Warning };

// What an export asks of the user and shows while it works. The desktop
// program answers with its dialogs and wait window, tests with scripted
// replies.
class IExportUI {
public:
    virtual ~IExportUI() = default;

    // The save dialog; the filter is "description|pattern". Empty on cancel.
    virtual std::string ChooseSaveFile(std::string_view defaultExt, std::string_view filter) = 0;
    // A Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;
    // A message with an OK button only.
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    virtual void ShowWaitForm(bool show) = 0;
    virtual void SetWaitMessage(std::string_view message) = 0;
};

// Shows the wait window with a message for as long as it lives, so the window
// goes away however the work ends.
class WaitScope {
public:
    WaitScope(IExportUI& ui, std::string_view message)
        : ui_(ui) {
        ui_.ShowWaitForm(true);
        ui_.SetWaitMessage(message);
    }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
    ~WaitScope() { ui_.ShowWaitForm(false); }

private:
    IExportUI& ui_;
};

// Asks for the target of an export. An existing file is replaced only after
// the user agrees, and is then deleted at once. Empty when nothing is to be
// written.
std::string AskSaveFileName(IExportUI& ui, std::string_view defaultExt, std::string_view filter);

// A short title for a target path: its last component up to the first dot.
std::string GetCatalogName(std::string_view path);

} // namespace hollowsweep
