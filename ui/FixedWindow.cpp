#include "FixedWindow.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace kandorex {

namespace {

constexpr Qt::WindowStates kSizeChangingStates = Qt::WindowMaximized | Qt::WindowFullScreen;

// Lives as a child of the window it watches. The native window is created on first show, so the
// guard waits for it before listening to its state.
class FixedWindowGuard : public QObject {
  public:
    explicit FixedWindowGuard(QWidget *window) : QObject(window), window_(window)
    {
        window->installEventFilter(this);
        watchNativeWindow();
        // The restore request is sent again until it takes: a compositor ignores it while the
        // maximised state it has sent is not yet shown on screen.
        retry_.setInterval(150);
        connect(&retry_, &QTimer::timeout, this, [this] { requestRestore(); });
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_ &&
            (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange))
            watchNativeWindow();
        // The window system's own report of the state (a request made here is no such event).
        if (watched == watched_ && event->type() == QEvent::WindowStateChange &&
            event->spontaneous())
            stateReported();
        // A drag at an edge of a title bar drawn by Qt asks the compositor for a resize, and Qt
        // 6.8 takes the sizes it then sends beyond the window's maximum: go back at once.
        if (watched == watched_ && event->type() == QEvent::Resize && !released_ &&
            window_->minimumSize() == window_->maximumSize() &&
            watched_->size() != window_->minimumSize())
            QTimer::singleShot(0, this, [this] { keepSize(); });
        return QObject::eventFilter(watched, event);
    }

  private:
    void watchNativeWindow()
    {
        QWindow *native = window_->windowHandle();
        if (native == nullptr || native == watched_)
            return;
        if (watched_ != nullptr) {
            watched_->removeEventFilter(this);
            disconnect(watched_, nullptr, this, nullptr);
        }
        watched_ = native;
        native->installEventFilter(this);
        connect(native, &QWindow::windowStateChanged, this,
                [this](Qt::WindowState) { stateChanged(); });
    }

    bool sizeChanging() const
    {
        return watched_ != nullptr && (watched_->windowStates() & kSizeChangingStates);
    }

    // Runs as soon as the state is asked for, here or by the compositor: before the compositor's
    // answer is applied, the window must be free to take the size it brings.
    void stateChanged()
    {
        if (!sizeChanging() || released_ || window_->minimumSize() != window_->maximumSize())
            return;
        fixedSize_ = window_->minimumSize();
        released_ = true;
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    void stateReported()
    {
        stateChanged();
        if (!released_)
            return;
        reportedSizeChanging_ = sizeChanging();
        if (reportedSizeChanging_) {
            if (!retry_.isActive()) {
                // After the frame at the maximised size has gone out.
                QTimer::singleShot(0, this, [this] { requestRestore(); });
                retry_.start();
            }
            return;
        }
        retry_.stop();
        released_ = false;
        window_->setFixedSize(fixedSize_);
    }

    void keepSize()
    {
        if (watched_ != nullptr && !released_ && window_->minimumSize() == window_->maximumSize() &&
            watched_->size() != window_->minimumSize())
            watched_->resize(window_->minimumSize());
    }

    void requestRestore()
    {
        if (watched_ == nullptr || !reportedSizeChanging_) {
            retry_.stop();
            return;
        }
        watched_->setWindowStates(watched_->windowStates() & ~kSizeChangingStates);
    }

    QWidget *window_;
    QPointer<QWindow> watched_;
    QTimer retry_;
    QSize fixedSize_;
    bool released_ = false;
    bool reportedSizeChanging_ = false;
};

} // namespace

void keepWindowFixed(QWidget *window)
{
    new FixedWindowGuard(window);
}

} // namespace kandorex
