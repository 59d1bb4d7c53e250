#pragma once
#include <algorithm>
#include <cstddef>
#include <string_view>

#include "core/word_scan.h"
#include "state/program_state.h"

namespace zan {

// Tab, line feed and carriage return all lie at or below '\r', which passes
// most characters with one comparison.
inline bool IsFieldBreak(char c) {
    return static_cast<unsigned char>(c) <= '\r' && (c == '\t' || c == '\r' || c == '\n');
}

// A tab or a carriage return ends the field; the twentieth starts the row over.
void NextPacketColumn(ProgramState& s);
// After a completed packet: the next row of the ring, its first field
// emptied; true when the ring went round from its last row to row 0.
bool NextPacketRow(ProgramState& s);

// Drops the part of a line received so far, its port having been lost: the
// packet being built starts again at its first field, so the rest of a line
// that arrives after a reopen is not joined to it.
void DiscardPartLine(ProgramState& s);

// Walks received text into the packet table, with nothing to echo: the
// packets the loop builds a character at a time, built a run at a time. A run
// is a field's stored characters up to a line break, with the tab that ends
// it; what is left past the longest line is not stored. At each line feed
// the row's separator count is set and onPacket runs with the row completed;
// it moves the ring on (NextPacketRow) itself.
template <typename OnPacket>
void WalkPackets(ProgramState& s, std::string_view text, OnPacket&& onPacket) {
    const char* next = text.data();
    const char* const end = next + text.size();
    while (next < end) {
        const auto room = static_cast<size_t>(kLongestLine - s.ReceivedLineLength);
        const char* const limit = next + std::min(room, static_cast<size_t>(end - next));
        const char* run = next;
        // Eight characters at a time up to the word that holds the break.
        while (limit - run >= 8 && !WordHoldsAny(WordAt(run), '\t', '\r', '\n')) run += 8;
        while (run < limit && !IsFieldBreak(*run)) ++run;
        if (run < limit && *run == '\t') ++run;
        const auto stored = static_cast<size_t>(run - next);
        if (stored > 0) {
            s.PacketTable[static_cast<size_t>(s.PacketRow)][static_cast<size_t>(s.PacketColumn)]
                .append(next, stored);
            s.ReceivedLineLength += static_cast<int>(stored);
        }
        // With nothing stored, a carriage return, a line feed or a character past the longest line.
        const char c = stored > 0 ? run[-1] : *run++;
        next = run;
        if (c == '\n') {
            s.PacketColumnCount[static_cast<size_t>(s.PacketRow)] =
                static_cast<float>(s.PacketColumn);
            onPacket();
            s.ReceivedLineLength = 0;
        } else if (c == '\t' || c == '\r') {
            NextPacketColumn(s);
        }
    }
}

}  // namespace zan
