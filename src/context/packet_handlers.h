#pragma once
#include <functional>

namespace zan {

// What the acquisition loop hands each completed packet to, in this order.
// Each subsystem installs its own handler when the program is wired; an
// empty handler is skipped.
struct PacketHandlers {
    std::function<void()> processPacket;
    std::function<void()> accumulateStatistics;
    std::function<void()> writeRecordedLine;
    std::function<void()> writeRawLogLine;
};

}  // namespace zan
