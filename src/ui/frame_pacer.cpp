#include "ui/frame_pacer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace zan::ui {
namespace {

class FramePacer : public QObject {
  public:
    FramePacer(QWidget* window, int frameMs) : QObject(window), window_(window), frameMs_(frameMs) {
        due_.setSingleShot(true);
        connect(&due_, &QTimer::timeout, this, [this] { Repaint(); });
        sinceRepaint_.start();
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::UpdateRequest || passing_) return false;
        const qint64 elapsed = sinceRepaint_.elapsed();
        if (elapsed >= frameMs_) {
            sinceRepaint_.restart();
            return false;
        }
        // Qt asks again only after this request is served, so holding it
        // gathers every later change into the one repaint when the frame is due.
        if (!due_.isActive()) due_.start(static_cast<int>(frameMs_ - elapsed));
        return true;
    }

  private:
    void Repaint() {
        sinceRepaint_.restart();
        QEvent request(QEvent::UpdateRequest);
        passing_ = true;
        QCoreApplication::sendEvent(window_, &request);
        passing_ = false;
    }

    QWidget* window_;
    const int frameMs_;
    QTimer due_;
    QElapsedTimer sinceRepaint_;
    bool passing_ = false;
};

}  // namespace

void PaceRepaints(QWidget* window, int frameMs) { new FramePacer(window, frameMs); }

}  // namespace zan::ui
