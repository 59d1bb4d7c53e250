#pragma once

class QMainWindow;

namespace zan {
struct Context;
}

namespace zan::ui {

// The main window's status bar: the ports with their states and the link's
// news on the left, the recording's and the raw log's accounts on the right,
// each a label that follows its control of the window model. Each "Open Port"
// item tells which device its number means now.
void BuildStatusBar(Context& ctx, QMainWindow* window);

}  // namespace zan::ui
