#include "acquisition/packet_walk.h"

namespace zan {

void NextPacketColumn(ProgramState& s) {
    const auto row = static_cast<size_t>(s.PacketRow);
    s.PacketColumn += 1;
    if (s.PacketColumn == kSeparatorLimit) {
        s.PacketColumnCount[row] = kSeparatorLimit;
        s.PacketColumn = 0;
    }
    s.PacketTable[row][static_cast<size_t>(s.PacketColumn)].clear();
}

bool NextPacketRow(ProgramState& s) {
    bool wrapped = false;
    s.PacketRow += 1;
    if (s.PacketRow >= kRingRows) {
        s.PacketRow = 0;
        s.PacketWraps += 1;
        wrapped = true;
    }
    s.PacketColumn = 0;
    s.PacketTable[static_cast<size_t>(s.PacketRow)][0].clear();
    return wrapped;
}

void DiscardPartLine(ProgramState& s) {
    auto& row = s.PacketTable[static_cast<size_t>(s.PacketRow)];
    for (int k = 0; k <= s.PacketColumn && k < kPacketFields; ++k)
        row[static_cast<size_t>(k)].clear();
    s.PacketColumn = 0;
    s.ReceivedLineLength = 0;
}

}  // namespace zan
