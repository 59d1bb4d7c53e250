#include "ui/frame_pacer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace zan::ui {
namespace {

constexpr const char* kName = "framePacer";

class FramePacer : public QObject {
  public:
    FramePacer(QWidget* window, int frameMs) : QObject(window), window_(window), frameMs_(frameMs) {
        setObjectName(kName);
        due_.setSingleShot(true);
        connect(&due_, &QTimer::timeout, this, [this] { Frame(); });
        sinceFrame_.start();
        window->installEventFilter(this);
    }

    void Request(QWidget* widget) {
        if (!waiting_.contains(widget)) waiting_.push_back(widget);
        StartDue();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) {
            if (IsInput(event->type())) sinceInput_.start();
            return false;
        }
        if (event->type() != QEvent::UpdateRequest || passing_) return false;
        WatchInput();
        // What the user does shows at once, whatever streams meanwhile.
        const bool answering = sinceInput_.isValid() && sinceInput_.elapsed() < frameMs_;
        if (answering || sinceFrame_.elapsed() >= frameMs_) {
            sinceFrame_.restart();
            return false;
        }
        // Qt asks again only after this request is served, so holding it
        // gathers every later change into the one repaint when the frame is due.
        held_ = true;
        StartDue();
        return true;
    }

  private:
    static bool IsInput(QEvent::Type type) {
        switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease: return true;
            default: return false;
        }
    }

    // Input reaches the window's native window before any of its widgets.
    void WatchInput() {
        QWindow* native = window_->windowHandle();
        if (!native || native == watchedNative_) return;
        native->installEventFilter(this);
        watchedNative_ = native;
    }

    void StartDue() {
        if (!due_.isActive())
            due_.start(static_cast<int>(std::max<qint64>(0, frameMs_ - sinceFrame_.elapsed())));
    }

    void Frame() {
        QList<QPointer<QWidget>> waiting;
        waiting.swap(waiting_);
        for (const QPointer<QWidget>& widget : waiting) {
            QEvent due(kFrameDue);
            if (widget) QCoreApplication::sendEvent(widget, &due);
        }
        // Without a held request, the changes just made ask for their own repaint, which passes.
        if (!held_) return;
        held_ = false;
        sinceFrame_.restart();
        QEvent request(QEvent::UpdateRequest);
        passing_ = true;
        QCoreApplication::sendEvent(window_, &request);
        passing_ = false;
    }

    QWidget* window_;
    const int frameMs_;
    QTimer due_;
    QElapsedTimer sinceFrame_;
    QElapsedTimer sinceInput_;
    QPointer<QWindow> watchedNative_;
    QList<QPointer<QWidget>> waiting_;
    bool held_ = false;
    bool passing_ = false;
};

}  // namespace

void PaceRepaints(QWidget* window, int frameMs) { new FramePacer(window, frameMs); }

void FrameRequest::Ask() {
    if (asked_ || !widget_->isVisible()) return;
    asked_ = true;
    if (auto* pacer = widget_->window()->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly))
        static_cast<FramePacer*>(pacer)->Request(widget_);
    else
        QCoreApplication::postEvent(widget_, new QEvent(kFrameDue));
}

bool FrameRequest::IsDue(const QEvent* event) {
    if (event->type() != kFrameDue) return false;
    asked_ = false;
    return true;
}

}  // namespace zan::ui
