#pragma once
#include "ui/widget_factory.h"

class QMenuBar;

namespace zan {
class Form;
}

namespace zan::ui {

// Builds the menu bar from the menu items under a form: an item with items
// under it is a menu, the others are actions; each is named after its item.
void BuildMenuBar(Form& form, QMenuBar* bar, const EventGuard& guard);

}  // namespace zan::ui
