#pragma once

#include "app/UserDialogs.h"

#include <QStringList>
#include <QUrl>

namespace hollowsweep::test {

// Answers the program's dialogs from a script and records every call.
class ScriptedDialogs final : public app::IUserDialogs {
public:
    QString FolderAnswer;
    QString SaveAnswer;
    bool YesAnswer = false;
    QStringList Calls;
    QList<QUrl> Opened;
    // False when the desktop is to have no program that opens an address.
    bool OpenAnswer = true;

    QString ChooseFolder(QWidget* /*parent*/, const QString& startIn) override {
        Calls << "choose folder in " + startIn;
        return FolderAnswer;
    }
    QString ChooseSaveFile(QWidget* /*parent*/, const QString& defaultExt,
                           const QString& filter) override {
        Calls << "save " + defaultExt + " " + filter;
        return SaveAnswer;
    }
    bool AskYesNo(QWidget* /*parent*/, const QString& text, const QString& caption) override {
        Calls << "ask " + caption + ": " + text;
        return YesAnswer;
    }
    void ShowMessage(QWidget* /*parent*/, const QString& text, const QString& caption,
                     MessageIcon /*icon*/) override {
        Calls << "message " + caption + ": " + text;
    }
    void ShowReport(QWidget* /*parent*/, const QString& text, const QString& details,
                    const QString& caption) override {
        Calls << "report " + caption + ": " + text + (details.isEmpty() ? "" : " | " + details);
    }
    bool OpenUrl(const QUrl& url) override {
        Opened << url;
        return OpenAnswer;
    }
};

} // namespace hollowsweep::test
