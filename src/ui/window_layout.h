#pragma once
#include "ui/widget_factory.h"

class QWidget;

namespace zan {
class Control;
}

namespace zan::ui {

// Creates the widgets of a container's controls inside its host widget and
// arranges them: named containers follow a row plan, the others stack their
// controls, with neighbouring buttons and check boxes side by side.
void LayoutChildren(Control& container, QWidget* host, const EventGuard& guard);

}  // namespace zan::ui
