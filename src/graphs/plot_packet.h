#pragma once
#include <vector>

namespace zan {

struct Context;
struct ProgramState;
struct DecodedRecord;

// The graphs' part of a record: the fluorometer point into the time history,
// the plot set drawn while graphing is on; a failed packet switches graphing off.
void GraphDecodedRecord(Context& ctx, const DecodedRecord& record);

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
