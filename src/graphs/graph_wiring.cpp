#include "graphs/graph_wiring.h"

#include "shell/context.h"

namespace zan {

void WireGraphs(Context&) {}

}  // namespace zan
