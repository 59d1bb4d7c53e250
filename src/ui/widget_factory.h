#pragma once
#include <functional>

class QWidget;

namespace zan {
class Control;
}

namespace zan::ui {

// Runs a model event raised by the user, reporting what escapes the handler.
using EventGuard = std::function<void(const std::function<void()>&)>;

// Creates the widget of one control, named after it, and binds it both ways:
// model changes update the widget, the user's actions raise the model's
// events. Visibility is bound by the caller on whatever it places (the widget
// or a box holding it with its description). Tab controls get an empty
// QTabWidget; containers get a host widget that the layout fills.
QWidget* CreateControlWidget(Control& control, QWidget* parent, const EventGuard& guard);
// Keeps a placed widget's visibility with the control's.
void BindVisibility(Control& control, QWidget* placed);

}  // namespace zan::ui
