#pragma once

#include "app/UserDialogs.h"
#include "core/export/ExportUI.h"

class QWidget;

namespace hollowsweep::app {

class WaitWindow;

// What an export asks of the user, answered with the program's dialogs and
// its wait window.
class QtExportPrompts final : public IExportUI {
public:
    QtExportPrompts(IUserDialogs& dialogs, WaitWindow& wait, QWidget* parent)
        : dialogs_(dialogs)
        , wait_(wait)
        , parent_(parent) {}

    std::string ChooseSaveFile(std::string_view defaultExt, std::string_view filter) override;
    bool AskYesNo(std::string_view text, std::string_view caption) override;
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void ShowWaitForm(bool show) override;
    void SetWaitMessage(std::string_view message) override;

private:
    IUserDialogs& dialogs_;
    WaitWindow& wait_;
    QWidget* parent_;
};

} // namespace hollowsweep::app
