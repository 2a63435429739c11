#include "app/UserDialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace hollowsweep::app {

namespace {

// "HTML File|*.htm" as Qt writes a filter: "HTML File (*.htm)".
QString QtFilter(const QString& filter) {
    const auto parts = filter.split('|');
    return parts.size() == 2 ? parts[0] + " (" + parts[1] + ")" : filter;
}

} // namespace

QString QtDialogs::ChooseFolder(QWidget* parent, const QString& startIn) {
    return QFileDialog::getExistingDirectory(parent, QString(),
                                             startIn.isEmpty() ? QDir::homePath() : startIn);
}

QString QtDialogs::ChooseSaveFile(QWidget* parent, const QString& defaultExt,
                                  const QString& filter) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultExt.startsWith('.') ? defaultExt.mid(1) : defaultExt);
    dialog.setNameFilter(QtFilter(filter));
    // The export asks its own question about an existing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

bool QtDialogs::AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtDialogs::ShowMessage(QWidget* parent, const QString& text, const QString& caption,
                            MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtDialogs::ShowReport(QWidget* parent, const QString& text, const QString& details,
                           const QString& caption) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    box.setDetailedText(details);
    box.exec();
}

bool QtDialogs::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace hollowsweep::app
