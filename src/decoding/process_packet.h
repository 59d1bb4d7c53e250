#pragma once
#include "record/decoded_record.h"

namespace zan {

struct ProgramState;

// Decodes a completed packet for the selected instrument and graph view
// into its record: the output texts, the fluorometer text, the plot set and
// the TRIA layout, kept in the state for the next packet as the window keeps
// them. Reads the calibration table and the fluorometer boxes as the state
// holds them, so it needs no window. A failure is carried in the record and
// deselects the graph view, so following packets stay undecoded until the
// operator picks one again. The packet is CompletedPacket(s) or one held
// elsewhere (a tool's line, split where it lies); the record refers to it.
DecodedRecord ProcessPacket(ProgramState& s, const PacketView& packet);

// A beta as the output grid shows it: six decimals, halves rounded upward.
double RoundBeta(double beta);

}  // namespace zan
