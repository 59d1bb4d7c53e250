#pragma once

class QWidget;

namespace zan {
class Graph;
}

namespace zan::ui {

// A Qt Charts view that shows a graph of the window model and follows its changes.
QWidget* CreateGraphView(Graph& graph, QWidget* parent);

}  // namespace zan::ui
