#pragma once

namespace zan {

struct Context;

// Connects the Graphs menu and the axis controls.
void WireGraphs(Context& ctx);

}  // namespace zan
