#pragma once
#include <QString>

class QWidget;

namespace zan {
class Graph;
}

namespace zan::ui {

// A Qt Charts view that shows a graph of the window model and follows its
// changes, redrawing once a frame of its window however fast the data comes,
// and not while it is hidden (showing it brings it up to date). It shows the value under the mouse
// with a crosshair and can save itself as a picture (its "Export" button beside the plot).
QWidget* CreateGraphView(Graph& graph, QWidget* parent);

// Saves what a graph view shows: SVG when the path ends in ".svg", else PNG.
// Returns an empty text, or why the file could not be written.
QString SaveGraphPicture(QWidget* graphView, const QString& path);

}  // namespace zan::ui
