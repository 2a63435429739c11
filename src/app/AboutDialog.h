#pragma once

#include <QDialog>
#include <QLabel>

namespace hollowsweep::app {

class IUserDialogs;

// A label that reads like a web link and reports clicks.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, QWidget* parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The program's name and version with links to the maker's web site and
// e-mail address.
class AboutDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutDialog)

public:
    AboutDialog(IUserDialogs& dialogs, QWidget* parent);

    QLabel* productLabel;
    QLabel* descriptionLabel;
    QLabel* webCaption;
    LinkLabel* webLink;
    QLabel* mailCaption;
    LinkLabel* mailLink;

    void onShow();
    void onWebLinkClicked();
    void onMailLinkClicked();

private:
    IUserDialogs& dialogs_;
};

} // namespace hollowsweep::app
