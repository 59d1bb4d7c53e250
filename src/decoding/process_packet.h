#pragma once
#include "record/decoded_record.h"

namespace zan {

struct ProgramState;

// The completed packet: PacketTable row PacketRow with its separator count.
PacketView CompletedPacket(const ProgramState& s);

// Decodes the completed packet for the selected instrument and graph view
// into its record: the output texts, the fluorometer text, the plot set and
// the TRIA layout, kept in the state for the next packet as the window keeps
// them. Reads the calibration table and the fluorometer boxes as the state
// holds them, so it needs no window. A failure is carried in the record and
// deselects the graph view, so following packets stay undecoded until the
// operator picks one again.
DecodedRecord ProcessPacket(ProgramState& s);
// The same for a packet held elsewhere (a tool's line, split where it lies).
DecodedRecord ProcessPacket(ProgramState& s, const PacketView& packet);

// A beta as the output grid shows it: six decimals, halves rounded upward.
double RoundBeta(double beta);

}  // namespace zan
