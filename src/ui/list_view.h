#pragma once

class QWidget;

namespace zan {
class ListBox;
}

namespace zan::ui {

// A list box's view. The view asks for the text of the rows it shows only;
// the list's changes gather and reach the view at most ten times a second,
// and not at all while the view is hidden (showing it brings it up to date).
// The newest selection is made current and scrolled into view as a list
// widget would.
QWidget* CreateListView(ListBox& list, QWidget* parent);
// Brings the view up to date with its list at once instead of at its next refresh.
void SyncListView(QWidget* listView);

}  // namespace zan::ui
