#pragma once
#include <QPointer>

#include "controls/control.h"

namespace zan::ui {

// Calls f(object, property) on every change of the control while the Qt
// object that shows it lives.
template <typename W, typename F>
void OnChange(Control& control, W* object, F f) {
    QPointer<W> guard(object);
    control.Observe([guard, f](Property p) {
        if (guard) f(guard.data(), p);
    });
}

}  // namespace zan::ui
