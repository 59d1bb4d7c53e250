#pragma once
#include <functional>
#include <vector>

#include "record/decoded_record.h"

namespace zan {

// What the acquisition loop does with each completed packet (PacketTable row
// PacketRow): decoding makes its record, and every consumer reads the record
// in the order registered. Each subsystem registers its own consumer when the
// program is wired: the window's output grid, the graphs, the statistics, the
// recording file, the raw log; a tool registers its writer in the same way.
// A consumer decides for itself whether it is on (recording, averaging).
struct PacketHandlers {
    using Consumer = std::function<void(const DecodedRecord&)>;
    // Without a decoder the record carries the packet alone.
    std::function<DecodedRecord(const PacketView&)> decode;
    std::vector<Consumer> consumers;

    void Register(Consumer consumer) { consumers.push_back(std::move(consumer)); }
};

}  // namespace zan
