#pragma once
#include <string>

#include "state/view_codes.h"

namespace zan {

struct Context;

// Decodes the packet just completed (PacketTable row PacketRow) for the
// selected instrument and graph view into the output grid, the plot arrays
// and the time history, then plots it while graphing is on. A failure is
// shown, switches graphing off and deselects the graph view.
void ProcessPacket(Context& ctx);

// A beta as the output grid shows it: six decimals, halves rounded upward.
double RoundBeta(double beta);

// The TRIA head layout read from a packet's header field.
struct TriaLayout {
    float blueColumn = 0, greenColumn = 0, redColumn = 0;
    float fluorColumn = 0;  // stays 0 when the header names no fluorometer
    float sensorColumnEnd = 0;
    bool pressure = false, aux1 = false, aux2 = false;
    float fieldCount = 0;
};
TriaLayout ReadTriaHeader(const std::string& header);

}  // namespace zan
