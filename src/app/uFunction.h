#pragma once

#include "UserDialogs.h"
#include "export/ExportUI.h"

#include <QString>

class QWidget;

namespace hollowsweep::app {

// The maker's web site and e-mail, through the desktop's default programs.
void OpenWebSite(IUserDialogs& dialogs);
void OpenMailTo(IUserDialogs& dialogs);

// The folder chooser; empty when the user cancelled.
QString ChooseFolder(IUserDialogs& dialogs, QWidget* parent);

// The desktop's own font at the size the windows were laid out for.
void UseSmallFont(QWidget* window);

// Paths as the file system spells them, and back for the screen.
std::string LocalPath(const QString& path);
QString DisplayText(std::string_view text);

// What an export asks of the user, answered with the program's dialogs and
// its wait window.
class TExportUI final : public IExportUI {
public:
    TExportUI(IUserDialogs& dialogs, QWidget* parent)
        : dialogs_(dialogs)
        , parent_(parent) {}

    std::string ChooseSaveFile(std::string_view defaultExt, std::string_view filter) override;
    bool AskYesNo(std::string_view text, std::string_view caption) override;
    void ShowMessage(std::string_view text, std::string_view caption, TMessageIcon icon) override;
    void ShowWaitForm(bool show) override;
    void SetWaitMessage(std::string_view message) override;

private:
    IUserDialogs& dialogs_;
    QWidget* parent_;
};

} // namespace hollowsweep::app
