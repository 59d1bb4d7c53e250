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

}  // namespace zan
