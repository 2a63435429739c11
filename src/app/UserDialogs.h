#pragma once

#include "core/export/ExportUI.h"

#include <QString>
#include <QUrl>

class QWidget;

namespace hollowsweep::app {

// Everything the program asks of the desktop outside its own windows: the
// platform's file dialogs, message boxes and launching other programs. Tests
// answer through the same interface.
class IUserDialogs {
public:
    virtual ~IUserDialogs() = default;

    // The folder chooser, starting in startIn (the home folder when empty);
    // empty when the user cancelled.
    virtual QString ChooseFolder(QWidget* parent, const QString& startIn) = 0;
    // The save dialog with a default suffix (".htm") and one filter
    // ("HTML File|*.htm"); empty when the user cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& defaultExt,
                                   const QString& filter) = 0;
    // A Yes/No question with the question icon; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A message with an OK button only.
    virtual void ShowMessage(QWidget* parent, const QString& text, const QString& caption,
                             MessageIcon icon) = 0;
    // A message with the long part behind a "Show Details..." button.
    virtual void ShowReport(QWidget* parent, const QString& text, const QString& details,
                            const QString& caption) = 0;
    // Hands an address (a web page, "mailto:", a folder) to the desktop; false
    // when the desktop has no program to hand it to.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// The real desktop: Qt's dialogs and the desktop's default programs.
class QtDialogs final : public IUserDialogs {
public:
    QString ChooseFolder(QWidget* parent, const QString& startIn) override;
    QString ChooseSaveFile(QWidget* parent, const QString& defaultExt,
                           const QString& filter) override;
    bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    void ShowMessage(QWidget* parent, const QString& text, const QString& caption,
                     MessageIcon icon) override;
    void ShowReport(QWidget* parent, const QString& text, const QString& details,
                    const QString& caption) override;
    bool OpenUrl(const QUrl& url) override;
};

} // namespace hollowsweep::app
