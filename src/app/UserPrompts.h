#pragma once

#include "app/UserDialogs.h"
#include "core/presenter/UserPrompts.h"

class QWidget;

namespace hollowsweep::app {

// The main window's questions and messages, in the program's dialogs.
class QtUserPrompts final : public IUserPrompts {
public:
    QtUserPrompts(IUserDialogs& dialogs, QWidget* parent)
        : dialogs_(dialogs)
        , parent_(parent) {}

    std::string ChooseFolder(const std::string& startIn) override;
    bool AskYesNo(std::string_view text, std::string_view caption) override;
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void ShowReport(std::string_view text, std::string_view details,
                    std::string_view caption) override;

private:
    IUserDialogs& dialogs_;
    QWidget* parent_;
};

} // namespace hollowsweep::app
