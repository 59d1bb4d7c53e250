#include "decoding/decoding_wiring.h"

#include "context/context.h"
#include "decoding/process_packet.h"

namespace zan {

void WireDecoding(Context& ctx) {
    ctx.packetHandlers.processPacket = [&ctx] { ProcessPacket(ctx); };
}

}  // namespace zan
