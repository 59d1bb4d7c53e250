#pragma once
#include <QString>

class QWidget;

namespace zan {
class Graph;
}

namespace zan::ui {

// A Qt Charts view that shows a graph of the window model and follows its
// changes, redrawing at most a few dozen times a second however fast the
// data comes. It shows the value under the mouse with a crosshair and can
// save itself as a picture (its "Export" button beside the plot).
QWidget* CreateGraphView(Graph& graph, QWidget* parent);

// Saves what a graph view shows: SVG when the path ends in ".svg", else PNG.
// Returns an empty text, or why the file could not be written.
QString SaveGraphPicture(QWidget* graphView, const QString& path);

// Draws pending model changes now instead of at the next redraw.
void RedrawGraphView(QWidget* graphView);

}  // namespace zan::ui
