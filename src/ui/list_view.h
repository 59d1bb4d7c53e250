#pragma once

class QString;
class QWidget;

namespace zan {
class ListBox;
}

namespace zan::ui {

// A list box's view. The view reads the text of the rows it draws only; the
// list's changes gather and reach the view with its window's next frame, and
// not at all while the view is hidden (showing it brings it up to date). The
// newest selection is highlighted and scrolled into view as a list widget
// would.
QWidget* CreateListView(ListBox& list, QWidget* parent);
// Brings the view up to date with its list at once instead of at the next frame.
void SyncListView(QWidget* listView);

// What a view made by CreateListView shows: the rows it knows of, a row's
// text as drawn, the highlighted row (-1 for none) and whether a row is
// wholly in view.
int ListViewRows(const QWidget* listView);
QString ListViewRowText(const QWidget* listView, int row);
int ListViewCurrentRow(const QWidget* listView);
bool ListViewRowInView(const QWidget* listView, int row);

}  // namespace zan::ui
