#pragma once

class QWidget;

namespace zan::ui {

// Paints a window at most once every frameMs milliseconds. Qt repaints a
// window as soon as the event loop is free after any widget changed; while a
// sensor streams that is after every packet, every list refresh and every
// counter, and each repaint costs far more than the change behind it. The
// pacer lets the first repaint after a quiet spell through at once (a click
// or a key shows without delay) and holds later ones until the frame is due,
// so all changes of a frame are painted together.
void PaceRepaints(QWidget* window, int frameMs);

}  // namespace zan::ui
