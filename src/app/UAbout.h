#pragma once

#include <QDialog>
#include <QLabel>

namespace hollowsweep::app {

class IUserDialogs;

// A label that reads like a web link and reports clicks.
class TLinkLabel final : public QLabel {
    Q_OBJECT
public:
    TLinkLabel(const QString& text, QWidget* parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The program's name and version with links to the maker's web site and
// e-mail address.
class TFMAbout final : public QDialog {
public:
    TFMAbout(IUserDialogs& dialogs, QWidget* parent);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    TLinkLabel* Label5;
    QLabel* Label6;
    TLinkLabel* Label7;

    void FormShow();
    void Label5Click();
    void Label7Click();

private:
    IUserDialogs& dialogs_;
};

} // namespace hollowsweep::app
