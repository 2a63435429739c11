#include "app/BackgroundWork.h"

#include "app/PathText.h"
#include "app/WaitWindow.h"

#include <QEventLoop>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <memory>

namespace hollowsweep::app {

namespace {

// Shows the wait window, modal, for the time the work runs: it takes all
// input, and gives it back however the work ends.
class WorkWaitScope {
public:
    WorkWaitScope(WaitWindow& wait, const std::optional<std::string>& message)
        : wait_(wait) {
        if (!wait_.isVisible()) {
            wait_.setWindowModality(Qt::ApplicationModal);
        }
        wait_.ShowWaitForm(true);
        if (message) {
            wait_.SetWaitMessage(DisplayText(*message));
        }
        wait_.SetCancellable(true);
    }
    WorkWaitScope(const WorkWaitScope&) = delete;
    WorkWaitScope& operator=(const WorkWaitScope&) = delete;
    ~WorkWaitScope() {
        wait_.SetCancellable(false);
        wait_.SetWaitProgress({});
        wait_.ShowWaitForm(false);
        wait_.setWindowModality(Qt::NonModal);
    }

private:
    WaitWindow& wait_;
};

} // namespace

// Nothing the work throws crosses the thread.
std::exception_ptr QtBackgroundWork::Run(const std::optional<std::string>& message,
                                         const std::function<void()>& work,
                                         std::atomic<bool>& cancel,
                                         const std::function<std::string()>& progress) {
    const WorkWaitScope waiting(wait_, message);
    std::exception_ptr error;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QObject::connect(&wait_, &WaitWindow::cancelRequested, &loop, [this, &cancel] {
        cancel = true;
        wait_.cancelButton->setEnabled(false);
        wait_.SetWaitMessage(WaitWindow::tr("Cancelling.."));
    });
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, &loop,
                     [this, &progress] { wait_.SetWaitProgress(DisplayText(progress())); });
    ticks.start(100);
    worker->start();
    loop.exec();
    worker->wait();
    return error;
}

} // namespace hollowsweep::app
