#include "uFunction.h"

#include "product/Product.h"
#include "uWaitForm.h"

#include <QFile>
#include <QWidget>

namespace hollowsweep::app {

void OpenWebSite(IUserDialogs& dialogs) {
    dialogs.OpenUrl(QUrl(DisplayText(MakerWebSite)));
}

void OpenMailTo(IUserDialogs& dialogs) {
    dialogs.OpenUrl(QUrl("mailto:" + DisplayText(MakerEmail)));
}

QString ChooseFolder(IUserDialogs& dialogs, QWidget* parent) {
    return dialogs.ChooseFolder(parent);
}

void UseSmallFont(QWidget* window) {
    QFont font = window->font();
    font.setPointSize(8);
    window->setFont(font);
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString DisplayText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string TExportUI::ChooseSaveFile(std::string_view defaultExt, std::string_view filter) {
    return LocalPath(
        dialogs_.ChooseSaveFile(parent_, DisplayText(defaultExt), DisplayText(filter)));
}

bool TExportUI::AskYesNo(std::string_view text, std::string_view caption) {
    return dialogs_.AskYesNo(parent_, DisplayText(text), DisplayText(caption));
}

void TExportUI::ShowMessage(std::string_view text, std::string_view caption, TMessageIcon icon) {
    dialogs_.ShowMessage(parent_, DisplayText(text), DisplayText(caption), icon);
}

void TExportUI::ShowWaitForm(bool show) {
    app::ShowWaitForm(show);
}

void TExportUI::SetWaitMessage(std::string_view message) {
    app::SetWaitMessage(DisplayText(message));
}

} // namespace hollowsweep::app
