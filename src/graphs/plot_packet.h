#pragma once
#include <vector>

namespace zan {

struct Context;
struct ProgramState;

// Draws the current plot set of the packet just decoded on the graph of the
// view: the angle graph for VSF and TRIA, the time graph for DFL. A failure
// is shown here and does not reach packet decoding.
void PlotPacket(Context& ctx);

// The filled slots of the fluorometer time history, oldest first: the ring
// runs from the slot after the newest point round to the newest point.
struct TimeHistoryPoints {
    std::vector<double> x, y;
};
TimeHistoryPoints FilledTimeHistory(const ProgramState& s);

}  // namespace zan
