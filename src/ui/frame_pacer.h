#pragma once
#include <QEvent>

class QWidget;

namespace zan::ui {

// Paints a window at most once every frameMs milliseconds. Qt repaints a
// window as soon as the event loop is free after any widget changed; while a
// sensor streams that is after every packet and every counter, and each
// repaint costs far more than the change behind it. The pacer holds repaints
// until the frame is due, so all changes of a frame are painted together; the
// first repaint after a quiet spell, and those that answer the user's mouse
// and keys, go through at once.
void PaceRepaints(QWidget* window, int frameMs);

// The event a widget receives just before its window's next frame is painted
// after it asked for one: views that gather changes bring themselves up to
// date then, so a frame costs one wake of the program and one repaint.
constexpr QEvent::Type kFrameDue = static_cast<QEvent::Type>(QEvent::User + 1);

// A widget's request for its window's next frame, made once however many
// changes come before the frame.
class FrameRequest {
  public:
    explicit FrameRequest(QWidget* widget) : widget_(widget) {}
    // Asks for the next frame while the widget shows.
    void Ask();
    // Whether the event is the frame asked for; a later change asks again.
    bool IsDue(const QEvent* event);

  private:
    QWidget* widget_;
    bool asked_ = false;
};

}  // namespace zan::ui
