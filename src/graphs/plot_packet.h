#pragma once

namespace zan {

struct Context;

// Draws the current plot set of the packet just decoded on the graph of the view.
void PlotPacket(Context& ctx);

}  // namespace zan
