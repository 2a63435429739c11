#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace hollowsweep::app {

// A magnifying glass circling over a folder, frames 1 to 29 without end.
class SearchAnimation final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchAnimation)

public:
    explicit SearchAnimation(QWidget* parent);

    int Frame() const noexcept { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int FrameCount = 29;

    QTimer timer_;
    int frame_ = 1;
};

// Tells the user that a long operation runs: a frameless window on top of
// the others, centred on the main window. Work that can stop shows a Cancel
// button; Escape and closing the window mean the same, and the window stays
// until the work has stopped. The program makes one and hands it to the
// windows that wait.
class WaitWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WaitWindow)

public:
    WaitWindow();

    QLabel* patienceLabel = nullptr;
    QLabel* messageLabel = nullptr;
    // Under the message line, while a scan runs: how far it has come.
    QLabel* progressLabel = nullptr;
    SearchAnimation* animation = nullptr;
    // Shown only while the work can be cancelled.
    QPushButton* cancelButton = nullptr;

    // The window the wait window centres itself on.
    void SetMainWindow(QWidget* window) noexcept { mainWindow_ = window; }

    // Shows the window in front and paints it at once; shows do not nest,
    // and one hide hides it. Hiding a hidden window does nothing.
    void ShowWaitForm(bool show);
    // Replaces the message line and paints it at once.
    void SetWaitMessage(const QString& text);
    // The progress line under the message; empty hides it.
    void SetWaitProgress(const QString& text);
    // Whether the work shown can be cancelled: the Cancel button shows, and
    // Escape and closing ask for it.
    void SetCancellable(bool cancellable);

signals:
    // The user asked to stop the work; the window stays until it has stopped.
    void cancelRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* mainWindow_ = nullptr;
    bool cancellable_ = false;
};

} // namespace hollowsweep::app
