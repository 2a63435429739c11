#include "app/WaitWindow.h"

#include "app/WindowLook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <QtMath>

namespace hollowsweep::app {

namespace {

// Paints the window at once: the work that follows lets no event through.
void PaintNow(QWidget* window) {
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

SearchAnimation::SearchAnimation(QWidget* parent)
    : QWidget(parent) {
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = frame_ % FrameCount + 1;
        update();
    });
    timer_.start(70);
}

void SearchAnimation::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The folder.
    painter.setPen(QPen(QColor(150, 110, 20), 1));
    painter.setBrush(QColor(240, 196, 80));
    QPainterPath folder;
    folder.moveTo(6, 14);
    folder.lineTo(22, 14);
    folder.lineTo(26, 18);
    folder.lineTo(52, 18);
    folder.lineTo(52, 44);
    folder.lineTo(6, 44);
    folder.closeSubpath();
    painter.drawPath(folder);
    painter.setBrush(QColor(250, 214, 110));
    painter.drawRect(QRectF(6, 22, 46, 22));
    // The glass circles once every 29 frames.
    const double angle = 2 * M_PI * (Frame() - 1) / FrameCount;
    const QPointF centre(46 + 12 * qCos(angle), 24 + 10 * qSin(angle));
    painter.setPen(QPen(QColor(60, 60, 70), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(7, 7), centre + QPointF(15, 15));
    painter.setPen(QPen(QColor(60, 60, 70), 2));
    painter.setBrush(QColor(200, 225, 255, 180));
    painter.drawEllipse(centre, 9, 9);
}

// Laid out for its designed size, 376 x 84, and as much larger as a longer
// translation needs: the lines are never cut.
WaitWindow::WaitWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    UseSmallFont(this);
    setAutoFillBackground(true);
    animation = new SearchAnimation(this);
    animation->setFixedSize(80, 50);
    patienceLabel = new QLabel(tr("This will take a few minutes.Please be patient..."), this);
    messageLabel = new QLabel("...", this);
    progressLabel = new QLabel(this);
    for (QLabel* label : {patienceLabel, messageLabel, progressLabel}) {
        label->setMinimumWidth(265);
        label->setMinimumHeight(16);
    }
    messageLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    progressLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setMinimumWidth(80);
    cancelButton->hide();
    connect(cancelButton, &QPushButton::clicked, this, &WaitWindow::cancelRequested);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(6);
    lines->addWidget(patienceLabel);
    lines->addWidget(messageLabel);
    lines->addWidget(progressLabel);
    lines->addWidget(cancelButton, 0, Qt::AlignRight);
    lines->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 16);
    layout->setSpacing(15);
    layout->addWidget(animation, 0, Qt::AlignTop);
    layout->addLayout(lines, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void WaitWindow::SetCancellable(bool cancellable) {
    cancellable_ = cancellable;
    cancelButton->setVisible(cancellable);
    cancelButton->setEnabled(true);
    if (cancellable) {
        cancelButton->setFocus();
    }
}

void WaitWindow::keyPressEvent(QKeyEvent* event) {
    if (cancellable_ && event->key() == Qt::Key_Escape) {
        emit cancelRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WaitWindow::closeEvent(QCloseEvent* event) {
    // Hiding the window would leave the work running with no sign of it.
    if (cancellable_) {
        event->ignore();
        emit cancelRequested();
        return;
    }
    QWidget::closeEvent(event);
}

void WaitWindow::showEvent(QShowEvent* event) {
    const QRect area = mainWindow_ != nullptr && mainWindow_->isVisible()
                           ? mainWindow_->frameGeometry()
                           : screen()->availableGeometry();
    move(area.center() - rect().center());
    QWidget::showEvent(event);
}

void WaitWindow::ShowWaitForm(bool show) {
    // The wait cursor goes with the window, so it too is set once and taken
    // away once however many shows came before.
    if (show) {
        if (!isVisible()) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
        this->show();
        raise();
        PaintNow(this);
    } else if (isVisible()) {
        hide();
        QApplication::restoreOverrideCursor();
    }
}

void WaitWindow::SetWaitMessage(const QString& text) {
    messageLabel->setText(text);
    PaintNow(this);
}

void WaitWindow::SetWaitProgress(const QString& text) {
    progressLabel->setText(text);
}

} // namespace hollowsweep::app
